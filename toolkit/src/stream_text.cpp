#include "stream_format.h"

namespace tk {

namespace {

using namespace stream;

// Quoted the way the text rendering shows strings: 'it''s', control characters as #nn.
String Quote(const String& s) {
    String out;
    bool open = false;
    for (QChar ch : s) {
        if (ch.unicode() < 32) {
            if (open)
                out += QLatin1Char('\'');
            open = false;
            out += QLatin1Char('#') + QString::number(ch.unicode());
            continue;
        }
        if (!open)
            out += QLatin1Char('\'');
        open = true;
        out += ch;
        if (ch == QLatin1Char('\''))
            out += ch;
    }
    if (open)
        out += QLatin1Char('\'');
    return out.isEmpty() ? QStringLiteral("''") : out;
}

void Render(const ParsedObject& obj, int depth, StringList& lines) {
    const String indent(2 * depth, QLatin1Char(' '));
    const String inner = indent + QStringLiteral("  ");
    lines << indent + QStringLiteral("object ") + obj.ClassName;
    if (!obj.Name.isEmpty())
        lines << inner + QStringLiteral("Name = ") + Quote(obj.Name);
    for (const ParsedProperty& p : obj.Properties) {
        String value;
        switch (p.Kind) {
        case PropKind::Integer:
            value = QString::number(p.Int);
            break;
        case PropKind::Boolean:
            value = p.Int ? QStringLiteral("True") : QStringLiteral("False");
            break;
        case PropKind::String:
            value = Quote(p.Text);
            break;
        case PropKind::Enum:
        case PropKind::Component:
            value = p.Text;
            break;
        }
        lines << inner + p.Name + QStringLiteral(" = ") + value;
    }
    for (const ParsedBinary& b : obj.Binaries)
        lines << inner + b.Name + QStringLiteral(" = {binary %1 bytes}").arg(b.Data.size());
    for (const auto& child : obj.Children)
        Render(*child, depth + 1, lines);
    lines << indent + QStringLiteral("end");
}

} // namespace

String StreamToText(const Bytes& data) {
    const auto tree = Parse(data, {});
    StringList lines;
    Render(*tree, 0, lines);
    return lines.join(QLatin1Char('\n'));
}

} // namespace tk
