// The floor the game's drawing is measured against: a bare SDL2 + GL 3.3
// program doing the least a 2D game of ours does each frame. It draws 300
// textured, blended 32 x 32 quads (one draw call) into a 512 x 448 target,
// scales the target into the window by one textured quad (nearest texels,
// no blending) and presents, 30 frames a second (a frame every 33 ms, the
// game's own frame delay), until killed.
//
//   quenholt_floor [window-width window-height]   (default 1024 896)
//
// The window is opened at the size given; under X11 its GL surface has that
// size (the offscreen video driver keeps a surface of the size it opened).

#include <SDL.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int kTargetWidth = 512;
constexpr int kTargetHeight = 448;
constexpr int kQuads = 300;
constexpr int kQuadSide = 32;
constexpr auto kFrame = std::chrono::milliseconds(33);

const char* const kVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
out vec2 vTexCoord;
void main()
{
    gl_Position = vec4(aPosition.x / 256.0 - 1.0, 1.0 - aPosition.y / 224.0, 0.0, 1.0);
    vTexCoord = aTexCoord;
}
)";

const char* const kFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColour;
void main()
{
    fragColour = texture(uTexture, vTexCoord);
}
)";

// The scaling pass: one quad over the whole window sampling the target.
const char* const kCopyVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
out vec2 vTexCoord;
void main()
{
    gl_Position = vec4(aPosition * 2.0 - 1.0, 0.0, 1.0);
    vTexCoord = aPosition;
}
)";

GLuint Compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "quenholt_floor: shader: %s\n", log);
        std::exit(1);
    }
    return shader;
}

} // namespace

int main(int argc, char** argv)
{
    const int windowWidth = argc > 2 ? std::atoi(argv[1]) : 1024;
    const int windowHeight = argc > 2 ? std::atoi(argv[2]) : 896;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "quenholt_floor: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow(
        "quenholt_floor", 0, 0, windowWidth, windowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "quenholt_floor: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(0);

    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, kVertex));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kFragment));
    glLinkProgram(program);
    const GLuint copyProgram = glCreateProgram();
    glAttachShader(copyProgram, Compile(GL_VERTEX_SHADER, kCopyVertex));
    glAttachShader(copyProgram, Compile(GL_FRAGMENT_SHADER, kFragment));
    glLinkProgram(copyProgram);

    // A 32 x 32 picture, half transparent at its corners as sprites are.
    std::vector<unsigned char> texels(kQuadSide * kQuadSide * 4);
    for (int y = 0; y < kQuadSide; ++y)
        for (int x = 0; x < kQuadSide; ++x) {
            unsigned char* p = &texels[(y * kQuadSide + x) * 4];
            p[0] = static_cast<unsigned char>(x * 8);
            p[1] = static_cast<unsigned char>(y * 8);
            p[2] = 0x40;
            p[3] = (x < 4 || y < 4) ? 0x80 : 0xFF;
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(
        GL_TEXTURE_2D, 0, GL_RGBA8, kQuadSide, kQuadSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());

    GLuint target = 0, framebuffer = 0;
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(
        GL_TEXTURE_2D, 0, GL_RGBA8, kTargetWidth, kTargetHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);

    // The quads scattered over the target: two triangles each.
    std::vector<float> vertices;
    vertices.reserve(kQuads * 6 * 4);
    for (int i = 0; i < kQuads; ++i) {
        const float x = static_cast<float>((i * 37) % (kTargetWidth - kQuadSide));
        const float y = static_cast<float>((i * 53) % (kTargetHeight - kQuadSide));
        const float s = kQuadSide;
        const float corners[6][4] = {{x, y, 0, 0}, {x + s, y, 1, 0}, {x + s, y + s, 1, 1}, {x, y, 0, 0},
            {x + s, y + s, 1, 1}, {x, y + s, 0, 1}};
        for (const auto& corner : corners)
            vertices.insert(vertices.end(), corner, corner + 4);
    }
    GLuint vertexArray = 0, buffer = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(
        GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(
        1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The window quad as a strip, its corners in 0..1 (texture coordinates
    // alike: the target's rows run bottom-up as the window's do).
    const float windowQuad[] = {0, 0, 1, 0, 0, 1, 1, 1};
    GLuint copyArray = 0, copyBuffer = 0;
    glGenVertexArrays(1, &copyArray);
    glBindVertexArray(copyArray);
    glGenBuffers(1, &copyBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, copyBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof windowQuad, windowQuad, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);

    auto next = std::chrono::steady_clock::now();
    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            running = running && event.type != SDL_QUIT;
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, kTargetWidth, kTargetHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(program);
        glBindVertexArray(vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_BLEND);
        // The vertices go up every frame, as a game's sprites do.
        glBufferSubData(
            GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data());
        glDrawArrays(GL_TRIANGLES, 0, kQuads * 6);

        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, windowWidth, windowHeight);
        glDisable(GL_BLEND);
        glUseProgram(copyProgram);
        glBindVertexArray(copyArray);
        glBindTexture(GL_TEXTURE_2D, target);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        SDL_GL_SwapWindow(window);
        next += kFrame;
        std::this_thread::sleep_until(next);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
