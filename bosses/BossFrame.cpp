#include "bosses/BossFrame.h"

#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/platform/Random.h"
#include "engine/render/GE_Shake.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "script/BGEvent_ShakeCamera.h"

#include <cctype>
#include <cmath>

namespace Boss {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsCommand(const std::string& command, const std::string& word)
{
    return Lower(command) == Lower(word);
}

double Random01()
{
    return platform::RandomFraction();
}

int RandomIndex(int count)
{
    if (count <= 0)
        return 0;
    const int index = static_cast<int>(Random01() * count);
    return std::min(index, count - 1);
}

double Random01LessOne()
{
    const uint32_t lessOne = platform::Random32() - 1u;
    return static_cast<double>(lessOne) / 4294967296.0;
}

int RandomIndexLessOne(int count)
{
    if (count <= 0)
        return 0;
    const int index = static_cast<int>(Random01LessOne() * count);
    return std::min(index, count - 1);
}

void RotateVector(Point<float>& v, float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float x = v.x * c - v.y * s;
    v.y = v.x * s + v.y * c;
    v.x = x;
}

Point<float> Normalized(Point<float> v)
{
    v.Normalize(false);
    return v;
}

Player* ThePlayer()
{
    return Enemy::ThePlayer();
}

Point<float> PlayerCenter()
{
    Player* player = ThePlayer();
    return player != nullptr ? player->GetCenter() : Point<float>();
}

CharacterObject* Create(const std::string& className, const std::string& objectName, CharacterObject* before)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr)
        return nullptr;
    return game->CreateCharacterNamed(objectName.empty() ? className : objectName, className, before);
}

CharacterObject* Find(const std::string& name, const CharacterObject* except)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->FindCharacterByName(name, except) : nullptr;
}

std::vector<CharacterObject*> FindAll(const std::string& name, const CharacterObject* except, bool skipDead)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->FindCharactersByName(name, except, skipDead)
                           : std::vector<CharacterObject*>();
}

std::vector<GraphicalObject*> Related(const std::string& text)
{
    return Enemy::RelatedGraphicals(text);
}

std::vector<GraphicalObject*> Related(std::initializer_list<const char*> texts)
{
    std::vector<GraphicalObject*> all;
    for (const char* text : texts) {
        std::vector<GraphicalObject*> some = Related(std::string(text));
        all.insert(all.end(), some.begin(), some.end());
    }
    return all;
}

void Announce(const std::string& message)
{
    if (CharacterGameAccess* game = GetCharacterGameAccess())
        game->BroadcastMessage(message);
}

void StartSlowMotion()
{
    if (CharacterGameAccess* game = GetCharacterGameAccess())
        game->RequestSlowMotion(kSlowMotionFrames, kSlowMotionSkip);
}

void ShakeCamera(int frames, float startX, float endX, float startY, float endY)
{
    if (CharacterGameAccess* game = GetCharacterGameAccess())
        game->AddBackgroundEvent(
            new BGEvent_ShakeCamera(kShakeEventName, frames, startX, endX, startY, endY));
}

bool StartDeath(CharacterObject& self, bool slowMotion, float headStart, float switchTime)
{
    return StartDeathFrom(self, self.GetCurrentGraphical(), slowMotion, headStart, switchTime);
}

bool StartDeathFrom(
    CharacterObject& self, GraphicalObject* look, bool slowMotion, float headStart, float switchTime)
{
    if (self.IsExploding())
        return false;
    if (look != nullptr)
        self.BuildExplosionPieces(look);
    self.SetShockWaveTiming(headStart, switchTime);
    self.Explode(slowMotion);
    return true;
}

int ReleaseProjectiles(const std::string& name, const CharacterObject* owner)
{
    int count = 0;
    for (CharacterObject* c : FindAll(name)) {
        if (owner != nullptr && c->GetOwner() != owner)
            continue;
        c->SetOwner(nullptr);
        ++count;
    }
    return count;
}

int KillProjectiles(const std::string& name)
{
    int count = 0;
    for (CharacterObject* c : FindAll(name)) {
        c->SetDead(true);
        ++count;
    }
    return count;
}

bool TakeDamage(CharacterObject& self, CharacterObject* attacker, int damage)
{
    self.CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return false;
    const int life = self.GetLife();
    self.SetLife(life <= 0 ? 0 : life - damage);
    return true;
}

void StartShake(CharacterObject& self, Point<float> amplitude, Point<float> velocity)
{
    auto shake = std::make_unique<GE_Shake>();
    shake->SetAmplitude(amplitude.x, amplitude.y);
    shake->SetVelocity(velocity.x, velocity.y);
    self.SetDrawingEffect(std::move(shake));
}

void StepShake(CharacterObject& self, int frames)
{
    GraphicalEffect* effect = self.GetDrawingEffect();
    if (effect == nullptr)
        return;
    effect->Update();
    if (auto* shake = dynamic_cast<GE_Shake*>(effect); shake != nullptr && shake->GetFrameCount() > frames)
        self.SetDrawingEffect(nullptr);
}

void Move(CharacterObject& self, float speed, double step)
{
    const float length = static_cast<float>(speed * 32.0 * step * 0.001);
    self.SetPosition(self.GetPosition() + self.GetDirection() * length);
}

} // namespace Boss

GraphicalObject* BossSprites::Add(const std::string& suffix)
{
    auto found = owned.find(suffix);
    if (found != owned.end())
        return found->second.get();
    std::unique_ptr<GraphicalObject> copy = Enemy::CloneGraphical(prefix + "_" + suffix);
    GraphicalObject* raw = copy.get();
    owned.emplace(suffix, std::move(copy));
    return raw;
}

GraphicalObject* BossSprites::AddByFullName(const std::string& fullName)
{
    const std::string key = "\x01" + fullName;
    auto found = owned.find(key);
    if (found != owned.end())
        return found->second.get();
    std::unique_ptr<GraphicalObject> copy = Enemy::CloneGraphical(fullName);
    GraphicalObject* raw = copy.get();
    owned.emplace(key, std::move(copy));
    return raw;
}

GraphicalObject* BossSprites::Get(const std::string& suffix) const
{
    auto found = owned.find(suffix);
    return found != owned.end() ? found->second.get() : nullptr;
}

ProjectilePoolBase::~ProjectilePoolBase()
{
    for (SceneObjectHandle* handle : handles)
        handle->Release();
}

void ProjectilePoolBase::Adopt(CharacterObject* projectile)
{
    projectile->SetEnabled(false);
    projectile->SetCurrentGraphical(nullptr);
    SceneObjectHandle* handle = projectile->GetHandle();
    handle->AddRef();
    handles.push_back(handle);
}

int ProjectilePoolBase::Fill(const std::string& className, int count, const std::string& objectName)
{
    int made = 0;
    for (int i = 0; i < count; ++i) {
        if (CharacterObject* c = Boss::Create(className, objectName)) {
            Adopt(c);
            ++made;
        }
    }
    return made;
}

CharacterObject* ProjectilePoolBase::At(size_t i) const
{
    if (i >= handles.size())
        return nullptr;
    return static_cast<CharacterObject*>(handles[i]->GetTarget());
}

CharacterObject* ProjectilePoolBase::FirstFree() const
{
    for (size_t i = 0; i < handles.size(); ++i) {
        CharacterObject* c = At(i);
        if (c != nullptr && !c->IsEnabled() && !c->IsDead())
            return c;
    }
    return nullptr;
}

CharacterObject* ProjectilePoolBase::AcquireCharacter()
{
    CharacterObject* c = FirstFree();
    if (c == nullptr)
        return nullptr;
    c->ResetToStart();
    c->SetEnabled(true);
    return c;
}

int ProjectilePoolBase::InPlay() const
{
    int count = 0;
    for (size_t i = 0; i < handles.size(); ++i) {
        const CharacterObject* c = At(i);
        count += c != nullptr && c->IsEnabled() && !c->IsDead() ? 1 : 0;
    }
    return count;
}

void ProjectilePoolBase::ReleaseAll()
{
    for (size_t i = 0; i < handles.size(); ++i)
        if (CharacterObject* c = At(i)) {
            c->SetEnabled(false);
            c->SetCurrentGraphical(nullptr);
        }
}

void ProjectilePoolBase::KillAll()
{
    for (size_t i = 0; i < handles.size(); ++i)
        if (CharacterObject* c = At(i))
            c->SetDead(true);
}

Point<int> BossCharacter::GetSize() const
{
    return currentGraphical != nullptr ? currentGraphical->GetSize() : size;
}

void BossCharacter::Show(GraphicalObject* sprite, bool skipFirstStep)
{
    if (sprite != nullptr && sprite != currentGraphical)
        sprite->RestartAnimations(skipFirstStep);
    currentGraphical = sprite;
}

void BossCharacter::Animate(double step)
{
    if (currentGraphical != nullptr)
        currentGraphical->Update(step);
}

bool BossCharacter::AnimationDone() const
{
    return currentGraphical == nullptr || currentGraphical->IsAnimationFinished();
}
