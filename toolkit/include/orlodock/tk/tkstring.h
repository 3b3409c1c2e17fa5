#pragma once

// The toolkit's text string: implicitly shared (reference counted) UTF-16
// text. The docking library uses tk::String and never names QString itself.
#include <QString>
#include <QStringList>

namespace tk {

using String = QString;
using StringList = QStringList;

inline String IntToStr(long long value) { return QString::number(value); }

// Text written in the source (names, captions, messages) as a String.
inline String Latin1(const char* text) { return QString::fromLatin1(text); }

} // namespace tk
