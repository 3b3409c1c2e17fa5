#include <orlodock/tk/guid.h>

#include <QUuid>

namespace tk {

bool Guid::TryParse(const String& text, Guid& out) {
    const QByteArray latin = text.toLatin1();
    try {
        out = Parse(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
        return true;
    } catch (const char*) {
        return false;
    }
}

String Guid::ToString() const {
    String s = String::asprintf("{%08X-%04X-%04X-%02X%02X-", D1, D2, D3, D4[0], D4[1]);
    for (std::size_t i = 2; i < 8; ++i)
        s += String::asprintf("%02X", D4[i]);
    return s + QLatin1Char('}');
}

String CreateGuidString() { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }

} // namespace tk
