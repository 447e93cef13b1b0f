#pragma once

#include "characters/CharacterObject.h"
#include "script/BGEvent_WaitMessage.h"

#include "tests/enemies/EnemyArena.h"

#include <functional>
#include <memory>
#include <string>

// Counts the broadcasts of one message while it is queued on the level: it
// waits like a script's `waitEvent_WaitMessage` and, once reached, starts
// waiting again, so a message sent twice counts twice. The level owns it;
// it lives until the level changes.
class MessageCounter : public BGEvent_WaitMessage {
public:
    explicit MessageCounter(std::string message)
        : BGEvent_WaitMessage("MessageCounter", std::move(message))
    {
        SetAutoDelete(false);
    }
    bool Update() override
    {
        if (IsFinished()) {
            ++count;
            SetFinished(false);
        }
        return true;
    }
    // Broadcasts seen so far, the one of this frame included.
    int Count() const { return count + (IsFinished() ? 1 : 0); }

private:
    int count = 0;
};

// The enemy arena with what a boss fight asks of a test: characters by
// name, script commands, direct damage, waiting for a condition and for a
// death message.
class BossArena : public EnemyArena {
protected:
    CharacterObject* Named(const std::string& name) { return game.FindCharacterByName(name, nullptr); }
    template <class T> T* NamedAs(const std::string& name) { return dynamic_cast<T*>(Named(name)); }

    // The script command to the character of that name, as `SendMessageTo`
    // delivers it; false when there is no such character or it did not
    // understand.
    bool Send(const std::string& name, const std::string& command, const std::string& argument = "")
    {
        CharacterObject* target = Named(name);
        return target != nullptr && target->HandleScriptCommand(command, argument);
    }

    // Damage from the player straight into the character: for fights whose
    // hit boxes are out of the scythe's reach in a flat arena, or where a
    // test counts life exactly.
    void Strike(CharacterObject* target, int damage)
    {
        ASSERT_NE(target, nullptr);
        target->ApplyDamage(game.GetPlayer(), damage);
    }

    // Passes until the condition holds; the passes it took, or -1 when it
    // still does not hold after `limit`.
    int PassUntil(const std::function<bool()>& done, int limit)
    {
        for (int pass = 0; pass <= limit; ++pass) {
            if (done())
                return pass;
            Pass();
        }
        return -1;
    }

    // A counter of the message on the current level.
    MessageCounter* Await(const std::string& message)
    {
        auto* counter = new MessageCounter(message);
        game.GetCurrentLevel()->AddBackgroundEvent(counter);
        return counter;
    }
};
