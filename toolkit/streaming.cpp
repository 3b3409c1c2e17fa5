#include "streaming.h"

#include "exceptions.h"

namespace tk {

Bytes WriteComponent(Component* component) {
    (void)component;
    throw EReadError(QStringLiteral("Streaming is not available yet"), 0);
}

void ReadComponentInto(const Bytes& data, Component* into) {
    (void)data;
    (void)into;
    throw EReadError(QStringLiteral("Streaming is not available yet"), 0);
}

Component* ReadComponent(const Bytes& data, Component* owner, Component* parent) {
    (void)data;
    (void)owner;
    (void)parent;
    throw EReadError(QStringLiteral("Streaming is not available yet"), 0);
}

String StreamToText(const Bytes& data) {
    (void)data;
    return {};
}

} // namespace tk
