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
    void SetJump() { jump = true; }
    void SetCrossbow() { crossbow = true; }
    void SetAttack() { attack = true; }
    void SetSpiderToggle(bool value) { spiderToggle = value; }
    void SetIceArmor() { iceArmor = true; }
    void SetFireArmor() { fireArmor = true; }
    void SetStrafeRight() { strafeRight = true; }
    void SetStrafeLeft() { strafeLeft = true; }
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

    // One flag per binding pair (even binding from the keyboard, odd one from
    // the pad), named after what the player does with it: jump from bindings
    // 4/5, crossbow 6/7, attack 8/9, spiderToggle 10/11, iceArmor 12/13,
    // fireArmor 14/15, strafeRight 16/17, strafeLeft 18/19; Action9 from
    // 20/21 (held only), Action10 from 22/23.
    bool jump = false;
    bool crossbow = false;
    bool attack = false;
    bool spiderToggle = false;
    bool iceArmor = false;
    bool fireArmor = false;
    bool strafeRight = false;
    bool strafeLeft = false;
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
