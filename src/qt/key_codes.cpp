#include "key_codes.h"

namespace gf {

int16_t virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    // The keypad's digits only arrive as digits while NumLock is on; with it
    // off they arrive as the arrows and Home/End/PgUp/PgDn they double as.
    if (modifiers & Qt::KeypadModifier && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<int16_t>(96 + (qtKey - Qt::Key_0));
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<int16_t>(qtKey); // Qt uses the ASCII capitals and digits
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<int16_t>(112 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    // The comma and full-stop keys keep their codes when Shift turns them
    // into < and > (the keys act the same with Shift).
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    default:
        return 0;
    }
}

int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    int16_t state = 0;
    if (modifiers & Qt::ShiftModifier) state |= 1;
    if (modifiers & Qt::ControlModifier) state |= 2;
    if (modifiers & Qt::AltModifier) state |= 4;
    return state;
}

} // namespace gf
