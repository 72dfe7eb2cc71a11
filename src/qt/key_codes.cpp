#include "key_codes.h"

namespace gf {

std::optional<Key> gameKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    // The keypad's digits only arrive as digits while NumLock is on; with it
    // off they arrive as the arrows and Home/End/PgUp/PgDn they double as.
    if (modifiers & Qt::KeypadModifier) {
        switch (qtKey) {
        case Qt::Key_1:
        case Qt::Key_End:
            return Key::Num1;
        case Qt::Key_2:
        case Qt::Key_Down:
            return Key::Num2;
        case Qt::Key_3:
        case Qt::Key_PageDown:
            return Key::Num3;
        case Qt::Key_4:
        case Qt::Key_Left:
            return Key::Num4;
        case Qt::Key_6:
        case Qt::Key_Right:
            return Key::Num6;
        case Qt::Key_8:
        case Qt::Key_Up:
            return Key::Num8;
        default:
            break;
        }
    }
    switch (qtKey) {
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    // The comma and full-stop keys act the same when Shift turns them into < and >.
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return Key::Comma;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return Key::Period;
    case Qt::Key_A:
        return Key::A;
    case Qt::Key_M:
        return Key::M;
    case Qt::Key_O:
        return Key::O;
    case Qt::Key_P:
        return Key::P;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_Pause:
        return Key::Pause;
    case Qt::Key_Escape:
        return Key::Escape;
    // The game claims these too, so they never move the focus or scroll a
    // control, and they end a pause as any key does.
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Delete:
        return Key::Other;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12))
        return Key::Other;
    return std::nullopt;
}

int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    int16_t state = 0;
    if (modifiers & Qt::ShiftModifier) state |= kShiftMask;
    if (modifiers & Qt::ControlModifier) state |= kCtrlMask;
    if (modifiers & Qt::AltModifier) state |= kAltMask;
    return state;
}

} // namespace gf
