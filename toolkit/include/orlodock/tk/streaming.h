#pragma once

// Component streaming: a component with its published properties, its
// defined (stream-valued) properties and its children, in a versioned binary
// format with a signature. Reading validates every tag, length and nesting
// level, raises EReadError naming the byte position, frees everything it
// created on failure and leaves the component it reads into unchanged.

#include <functional>

#include <QByteArray>

#include <orlodock/tk/component.h>

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
    // as an EReadError. When a read into an existing component fails after
    // `read` was called, the reader hands `read` what `write` produced before
    // the read began, or an empty array when hasData was false: an empty
    // array means "no data" and must put the property back to that state.
    virtual void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>& read,
                                      const std::function<Bytes()>& write, bool hasData) = 0;
};

// What a component's ReadState sees of the reader that is reading it.
class Reader {
public:
    virtual ~Reader() = default;
    // The component whose children are being read; for the top level the
    // parent given to ReadComponent, or nullptr.
    virtual Component* Parent() const = 0;
    // Owner of created components whose parent's GetChildOwner() answers
    // nullptr: the top-level component of the read (as with a form, which
    // owns what it contains). Only that top-level component itself goes to
    // the owner given to ReadComponent.
    virtual Component* Owner() const = 0;
    // The top-level component of this read.
    virtual Component* Root() const = 0;
    // Reads the properties and children of `instance` (what Component::ReadState does).
    virtual void ReadData(Component* instance) = 0;
};

// Writes `component` (class, name, properties, defined properties, children).
Bytes WriteComponent(Component* component);

// Reads a stream into an existing component of the stored class, which keeps
// its identity; children are created. The whole stream is parsed and checked
// (classes registered, properties present with the stored kind, enumeration
// identifiers known) before anything is touched. When applying still fails (a
// setter or a stream-valued property's reader throws), what was created is
// freed, the published properties of `into` are set back, and EReadError is
// raised. Component references are resolved by name, once the whole tree
// exists, among the components read, `into`'s components and its owner's
// components; a name that matches nothing leaves the property alone.
// Each child is created through the class registry, flagged csLoading |
// csReading, given its parent with SetParentComponent and then asked to
// ReadState; after the fix-ups every component read gets Loaded().
void ReadComponentInto(const Bytes& data, Component* into);

// Creates the stored component with the given owner (and, when not null, the
// given parent component) and reads it. Nothing is left behind on failure.
Component* ReadComponent(const Bytes& data, Component* owner, Component* parent = nullptr);

// A readable, indented rendering of a stream, for diagnostics and tests.
String StreamToText(const Bytes& data);

} // namespace tk
