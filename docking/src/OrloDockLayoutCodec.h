#pragma once

// The envelope of a saved layout: signature, version, payload length and
// CRC-32 of the payload (integers little-endian), then the payload itself,
// a root zone's component stream.

#include <orlodock/tk/streaming.h>

// The payload in an envelope.
tk::Bytes EncodeLayout(const tk::Bytes& payload);
// The payload of an envelope. Data too short, of another signature or
// version, of another length than its header says or with a wrong checksum
// raises tk::EReadError.
tk::Bytes DecodeLayout(const tk::Bytes& data);
