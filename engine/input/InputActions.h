#pragma once

#include <string>

// The per-poll record of what the player asks for: a movement direction and a
// set of action flags. The input manager fills it from the bindings; the
// player and the menus read copies of it.
class InputActions {
public:
    InputActions() = default;
    InputActions(const InputActions&) = default;
    InputActions& operator=(const InputActions&) = default;
    virtual ~InputActions() = default;

    bool operator==(const InputActions&) const = default;

    void SetX(float value) { x = value; }
    void SetY(float value) { y = value; }
    void SetAction1() { Action1 = true; }
    void SetAction2() { Action2 = true; }
    void SetAction3() { Action3 = true; }
    void SetAction4(bool value) { Action4 = value; }
    void SetAction5() { Action5 = true; }
    void SetAction6() { Action6 = true; }
    void SetAction7() { Action7 = true; }
    void SetAction8() { Action8 = true; }
    void SetAction9() { Action9 = true; }
    void SetAction10() { Action10 = true; }
    void SetConfirm() { Confirm = true; }
    void SetBack() { Back = true; }
    void SetErase() { Erase = true; }
    void SetKeyROrPad3() { KeyROrPad3 = true; }
    void SetSpare() { Spare = true; }
    void SetMenuLeft() { MenuLeft = true; }
    void SetMenuRight() { MenuRight = true; }
    void SetMenuUp() { MenuUp = true; }
    void SetMenuDown() { MenuDown = true; }
    void SetRawTab() { RawTab = true; }
    void SetRawShift() { RawShift = true; }
    void SetRawCtrl() { RawCtrl = true; }
    void SetRawRightAlt() { RawRightAlt = true; }
    void SetRawBackspace() { RawBackspace = true; }
    void SetRawEnter() { RawEnter = true; }

    // Horizontal direction: -1 left, +1 right, 0 none.
    float x = 0.0f;
    // Vertical direction: +1 up, -1 down, 0 none.
    float y = 0.0f;

    // One flag per binding pair, in order (the even binding from the keyboard,
    // the odd one from the pad): Action1 from bindings 4/5 (jump), Action2
    // 6/7 (crossbow), Action3 8/9 (attack), Action4 10/11 (spider form),
    // Action5 12/13 (ice armor), Action6 14/15 (fire armor), Action7 16/17
    // (strafe right), Action8 18/19 (strafe left), Action9 20/21 (held
    // only), Action10 22/23.
    bool Action1 = false;
    bool Action2 = false;
    bool Action3 = false;
    bool Action4 = false;
    bool Action5 = false;
    bool Action6 = false;
    bool Action7 = false;
    bool Action8 = false;
    bool Action9 = false;
    bool Action10 = false;

    bool Confirm = false;    // Enter, or pad button 0
    bool Back = false;       // Escape or Backspace, or pad button 1
    bool Erase = false;      // Delete, or pad button 3
    bool KeyROrPad3 = false; // R, or pad button 3
    bool Spare = false;      // nothing sets it

    bool MenuLeft = false; // arrow keys, the stick pushed far, the hat
    bool MenuRight = false;
    bool MenuUp = false;
    bool MenuDown = false;

    std::string text;

    // Key-down events of these keys in this poll.
    bool RawTab = false;
    bool RawShift = false;
    bool RawCtrl = false;
    bool RawRightAlt = false;
    bool RawBackspace = false;
    bool RawEnter = false;
};
