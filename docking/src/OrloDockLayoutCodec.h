#pragma once

// The envelope of a saved layout: signature, version, payload length and
// CRC-32 of the payload (integers little-endian), then the payload itself,
// a root zone's component stream.

#include <cstdint>

#include <orlodock/tk/streaming.h>

// Bytes before the payload.
constexpr qsizetype kLayoutHeaderSize = 14;
// No layout comes near this (64 panels take a few tens of kilobytes); a
// payload said to be larger is refused before it is read.
constexpr qsizetype kMaxLayoutPayload = 4 * 1024 * 1024;

// The payload in an envelope.
tk::Bytes EncodeLayout(const tk::Bytes& payload);
// The payload length a header promises. A header too short, of another
// signature or version, or promising more than kMaxLayoutPayload raises
// tk::EReadError.
std::uint32_t LayoutPayloadLength(const tk::Bytes& header);
// The payload of an envelope. A bad header (as above), data of another
// length than the header says or with a wrong checksum raises tk::EReadError.
tk::Bytes DecodeLayout(const tk::Bytes& data);
