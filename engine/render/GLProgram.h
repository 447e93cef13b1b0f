#pragma once

#include <initializer_list>
#include <string>

// One linked GL program, owned: compiled from a vertex and a fragment source,
// deleted with the object (on the thread whose context is current; without a
// current context the program went with it). Move-only.
class GLProgram {
public:
    GLProgram() = default;
    ~GLProgram();
    GLProgram(GLProgram&& other) noexcept;
    GLProgram& operator=(GLProgram&& other) noexcept;
    GLProgram(const GLProgram&) = delete;
    GLProgram& operator=(const GLProgram&) = delete;

    // Compiles both stages and links them; needs a current context. On
    // failure the program is empty and log, when given, holds the compiler's
    // or linker's message prefixed with the stage. The named vertex inputs,
    // when given, are bound to locations 0, 1, 2, ... in order before linking.
    static GLProgram Build(const std::string& vertexSource, const std::string& fragmentSource,
        std::string* log = nullptr, std::initializer_list<const char*> attributes = {});

    bool IsValid() const { return name != 0; }
    unsigned int GetName() const { return name; }
    // -1 when the program has no such active uniform (setting it is a no-op).
    int GetUniformLocation(const char* uniform) const;
    void Use() const;

private:
    explicit GLProgram(unsigned int name_)
        : name(name_)
    {
    }
    void Destroy();

    unsigned int name = 0;
};
