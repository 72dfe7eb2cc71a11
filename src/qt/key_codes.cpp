#include "key_codes.h"

#include "shell/keys.h"

namespace gf {

int16_t virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    // The keypad's digits only arrive as digits while NumLock is on; with it
    // off they arrive as the arrows and Home/End/PgUp/PgDn they double as.
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return static_cast<int16_t>(Key::Num0 + (qtKey - Qt::Key_0));
        // The digits the game gives a meaning act the same with NumLock off.
        switch (qtKey) {
        case Qt::Key_End:
            return Key::Num1;
        case Qt::Key_Down:
            return Key::Num2;
        case Qt::Key_PageDown:
            return Key::Num3;
        case Qt::Key_Left:
            return Key::Num4;
        case Qt::Key_Right:
            return Key::Num6;
        case Qt::Key_Up:
            return Key::Num8;
        default:
            break;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<int16_t>(qtKey); // Qt uses the ASCII capitals and digits
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return static_cast<int16_t>(Key::F1 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Return;
    case Qt::Key_Pause:
        return Key::Pause;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_Delete:
        return Key::Delete;
    // The comma and full-stop keys keep their codes when Shift turns them
    // into < and > (the keys act the same with Shift).
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return Key::Comma;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return Key::Period;
    default:
        return 0;
    }
}

int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    int16_t state = 0;
    if (modifiers & Qt::ShiftModifier) state |= kShiftMask;
    if (modifiers & Qt::ControlModifier) state |= kCtrlMask;
    if (modifiers & Qt::AltModifier) state |= kAltMask;
    return state;
}

} // namespace gf
