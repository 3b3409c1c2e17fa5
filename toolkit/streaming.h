#pragma once

// Component streaming: a component with its published properties, its
// defined (stream-valued) properties and its children, in a versioned binary
// format with a signature. Reading validates every tag, length and nesting
// level, raises EReadError naming the byte position, frees everything it
// created on failure and leaves the component it reads into unchanged.

#include <functional>

#include <QByteArray>

#include "component.h"

namespace tk {

// Raw bytes of a stream.
using Bytes = QByteArray;

// Handed to Component::DefineProperties while writing or reading.
class Filer {
public:
    virtual ~Filer() = default;
    // A property whose value is a byte stream of its own. `read` receives the
    // stored bytes while reading; `write` produces them while writing (only
    // when hasData is true). `read` may throw; the reader reports the failure
    // as an EReadError and leaves the component as the read handler left it.
    virtual void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>& read,
                                      const std::function<Bytes()>& write, bool hasData) = 0;
};

// What a component's ReadState sees of the reader that is reading it.
class Reader {
public:
    virtual ~Reader() = default;
    // The component whose children are being read (nullptr for the top level).
    virtual Component* Parent() const = 0;
    // Owner of the components being created.
    virtual Component* Owner() const = 0;
    // The top-level component of this read.
    virtual Component* Root() const = 0;
    // Reads the properties and children of `instance` (what Component::ReadState does).
    virtual void ReadData(Component* instance) = 0;
};

// Writes `component` (class, name, properties, defined properties, children).
Bytes WriteComponent(Component* component);

// Reads a stream into an existing component of the stored class, which keeps
// its identity; children are created. On failure `into` is unchanged.
// Component references are resolved by name among `into` and its owner's
// components after reading.
void ReadComponentInto(const Bytes& data, Component* into);

// Creates the stored component with the given owner (and, when not null, the
// given parent component) and reads it. Nothing is left behind on failure.
Component* ReadComponent(const Bytes& data, Component* owner, Component* parent = nullptr);

// A readable, indented rendering of a stream, for diagnostics and tests.
String StreamToText(const Bytes& data);

} // namespace tk
