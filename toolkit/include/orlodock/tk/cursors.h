#pragma once

// The standard cursors a control may ask for.

class QCursor;

namespace tk {

enum Cursor {
    crDefault,
    crNone,
    crArrow,
    crCross,
    crIBeam,
    crSizeNESW,
    crSizeNS,
    crSizeNWSE,
    crSizeWE,
    crSizeAll,
    crUpArrow,
    crHourGlass,
    crDrag,
    crNoDrop,
    crHSplit,
    crVSplit,
    crNo,
    crHandPoint,
};

// Toolkit side: the Qt cursor for a toolkit cursor.
QCursor ToQCursor(Cursor cursor);

} // namespace tk
