#include <orlodock/tk/exceptions.h>

namespace tk {

Exception::Exception(String message) : message_(std::move(message)), utf8_(message_.toStdString()) {}

void Exception::SetWhat(const String& text) { utf8_ = text.toStdString(); }

EAssertionFailed::EAssertionFailed(String message, String unitName)
    : Exception(std::move(message)), unit_(std::move(unitName)) {
    SetWhat(Message() + QStringLiteral(" (") + unit_ + QLatin1Char(')'));
}

EReadError::EReadError(String message, long long position) : Exception(std::move(message)), position_(position) {
    SetWhat(Message() + QStringLiteral(" at byte ") + QString::number(position_));
}

} // namespace tk
