// The window-system operations on SDL2: one SDL window; the image view blits a
// surface that wraps vscreen's memory onto the window surface; the OpenGL view
// is an SDL GL context; the texture view an accelerated SDL renderer.
#include <SDL.h>

#include "display/key_table.h"
#include "display/platform.h"
#include "display/sdl_key_codes.h"

namespace zorblit {
namespace {

struct DepthStencil {
    int depth, stencil;
};
// The OpenGL pixel formats tried, best first.
constexpr DepthStencil kPixelFormats[] = {{24, 8}, {24, 0}, {16, 0}, {0, 0}};

PlatformRect toRect(const SDL_Rect &r) { return {double(r.x), double(r.y), double(r.w), double(r.h)}; }

template <class Function>
bool loadEntryPoint(Function &slot, const char *name) {
    slot = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return slot != nullptr;
}

bool loadGL(GLApi &gl) {
    return loadEntryPoint(gl.ClearColor, "glClearColor") && loadEntryPoint(gl.Clear, "glClear") &&
           loadEntryPoint(gl.MatrixMode, "glMatrixMode") && loadEntryPoint(gl.LoadIdentity, "glLoadIdentity") &&
           loadEntryPoint(gl.Viewport, "glViewport") && loadEntryPoint(gl.Ortho, "glOrtho") &&
           loadEntryPoint(gl.RasterPos2i, "glRasterPos2i") && loadEntryPoint(gl.PixelZoom, "glPixelZoom") &&
           loadEntryPoint(gl.DrawPixels, "glDrawPixels");
}

PlatformEvent keyEvent(const SDL_KeyboardEvent &key) {
    const uint32_t code = keyCodeForScancode(key.keysym.scancode);
    const bool down = key.type == SDL_KEYDOWN;
    PlatformEvent event;
    event.keyCode = code;
    // Modifiers report each press and release once; Caps Lock only its press.
    if (isModifierCode(code)) {
        if (!key.repeat) event.kind = EventKind::FlagsChanged;
    } else if (code == keycode::kCapsLock) {
        if (down && !key.repeat) event.kind = EventKind::FlagsChanged;
    } else {
        event.kind = down ? EventKind::KeyDown : EventKind::KeyUp;
    }
    return event;
}

PlatformEvent buttonEvent(const SDL_MouseButtonEvent &button) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    PlatformEvent event;
    if (button.button == SDL_BUTTON_LEFT) event.kind = down ? EventKind::LeftMouseDown : EventKind::LeftMouseUp;
    if (button.button == SDL_BUTTON_RIGHT) event.kind = down ? EventKind::RightMouseDown : EventKind::RightMouseUp;
    return event;
}

WindowAction windowAction(uint8_t windowEvent) {
    switch (windowEvent) {
    case SDL_WINDOWEVENT_CLOSE: return WindowAction::CloseRequest;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: return WindowAction::Expose;
    default: return WindowAction::None;
    }
}

PlatformEvent translate(const SDL_Event &e) {
    PlatformEvent event;
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return keyEvent(e.key);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return buttonEvent(e.button);
    case SDL_MOUSEWHEEL:
        event.kind = EventKind::ScrollWheel;
        event.wheelDeltaY = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.preciseY : e.wheel.preciseY;
        break;
    case SDL_WINDOWEVENT: event.action = windowAction(e.window.event); break;
    case SDL_QUIT: event.action = WindowAction::Quit; break;
    case SDL_DISPLAYEVENT: event.action = WindowAction::ScreenChanged; break;
    default: break;
    }
    return event;
}

class SdlPlatform final : public Platform {
public:
    bool startApplication() override {
        // The close button only asks; the library decides what closing means.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // The image view's window surface is plain shared memory, not a GPU texture.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // A click that gives the window the focus is a click like any other.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        SDL_StopTextInput();
        return true;
    }
    void activateApplication() override {
        if (window_) SDL_RaiseWindow(window_);
    }
    std::string errorText() override { return SDL_GetError(); }

    PlatformRect desktopFrame() override {
        SDL_Rect r{};
        SDL_GetDisplayBounds(0, &r);
        return toRect(r);
    }
    PlatformRect usableArea() override {
        SDL_Rect r{};
        SDL_GetDisplayUsableBounds(0, &r);
        return toRect(r);
    }
    double backingScale() override {
        if (!window_ || !context_) return 1;
        int points = 0, pixels = 0, unused = 0;
        SDL_GetWindowSize(window_, &points, &unused);
        SDL_GL_GetDrawableSize(window_, &pixels, &unused);
        return points > 0 ? double(pixels) / points : 1;
    }
    // Title bars lie outside the content area here, so the content loses nothing.
    int32_t measureTitleBarHeight() override { return 0; }

    bool createWindow(const WindowRequest &request) override {
        Uint32 flags = SDL_WINDOW_HIDDEN;
        int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
        if (request.fullScreen) {
            const PlatformRect desktop = desktopFrame();
            flags |= SDL_WINDOW_BORDERLESS;
            x = int(desktop.x);
            y = int(desktop.y);
        }
        const int w = int(request.width), h = int(request.height);
        if (!request.openGL) {
            window_ = SDL_CreateWindow(request.caption.c_str(), x, y, w, h, flags);
            return window_ != nullptr;
        }
        for (const DepthStencil &format : kPixelFormats) {
            SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
            SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
            SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
            SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
            SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depth);
            SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencil);
            window_ = SDL_CreateWindow(request.caption.c_str(), x, y, w, h, flags | SDL_WINDOW_OPENGL);
            if (window_) return true;
        }
        return false;
    }
    bool hasWindow() override { return window_ != nullptr; }
    void showWindow() override {
        if (!window_) return;
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    }
    void makeKeyWindow() override {
        if (window_) SDL_RaiseWindow(window_);
    }
    // Moving a window makes SDL wait for the move to show, so a centred window stays.
    void centerWindow() override {
        if (!window_) return;
        const PlatformRect desktop = desktopFrame();
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(window_, &x, &y);
        SDL_GetWindowSize(window_, &w, &h);
        const int centreX = int(desktop.x) + (int(desktop.width) - w) / 2;
        const int centreY = int(desktop.y) + (int(desktop.height) - h) / 2;
        if (x != centreX || y != centreY) SDL_SetWindowPosition(window_, centreX, centreY);
    }
    void closeWindow() override {
        if (window_) SDL_HideWindow(window_);
    }
    void releaseWindow() override {
        releaseImageView();
        releaseGLView();
        releaseTextureView();
        if (window_) SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    void setCaption(const char *caption) override {
        if (window_) SDL_SetWindowTitle(window_, caption ? caption : "");
    }
    void minimizeWindow() override {
        if (window_) SDL_MinimizeWindow(window_);
    }
    void restoreWindow() override {
        if (window_) SDL_RestoreWindow(window_);
    }
    PlatformRect windowFrame() override {
        SDL_Rect r{};
        if (window_) {
            SDL_GetWindowPosition(window_, &r.x, &r.y);
            SDL_GetWindowSize(window_, &r.w, &r.h);
        }
        return toRect(r);
    }
    void setWindowFrame(const PlatformRect &frame) override {
        if (!window_) return;
        SDL_SetWindowPosition(window_, int(frame.x), int(frame.y));
        SDL_SetWindowSize(window_, int(frame.width), int(frame.height));
    }
    void setWindowTopLeft(double x, double y) override {
        if (!window_) return;
        int top = 0, left = 0;
        if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) != 0) top = left = 0;
        SDL_SetWindowPosition(window_, int(x) + left, int(y) + top);
    }
    PlatformPoint windowTopLeft() override {
        int x = 0, y = 0, top = 0, left = 0;
        if (!window_) return {};
        SDL_GetWindowPosition(window_, &x, &y);
        if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) != 0) top = left = 0;
        return {double(x - left), double(y - top)};
    }

    void installImageView(uint32_t *pixels, uint32_t width, uint32_t height, uint32_t drawWidth,
                          uint32_t drawHeight) override {
        releaseImageView();
        image_ = SDL_CreateRGBSurfaceFrom(pixels, int(width), int(height), 32, int(width) * 4, 0x00FF0000,
                                          0x0000FF00, 0x000000FF, 0);
        drawWidth_ = int(drawWidth);
        drawHeight_ = int(drawHeight);
        needsDisplay_ = true;
    }
    void setNeedsDisplay() override { needsDisplay_ = true; }
    void displayIfNeeded() override {
        if (!needsDisplay_ || !image_ || !window_) return;
        SDL_Surface *target = SDL_GetWindowSurface(window_);
        if (!target) return;
        needsDisplay_ = false;
        SDL_Rect area{0, 0, drawWidth_, drawHeight_};
        if (drawWidth_ == image_->w && drawHeight_ == image_->h)
            SDL_BlitSurface(image_, nullptr, target, &area);
        else
            SDL_BlitScaled(image_, nullptr, target, &area);
        SDL_UpdateWindowSurface(window_);
    }
    void releaseImageView() override {
        if (image_) SDL_FreeSurface(image_);
        image_ = nullptr;
    }

    bool installGLView() override {
        if (!window_) return false;
        context_ = SDL_GL_CreateContext(window_);
        if (!context_) return false;
        SDL_GL_MakeCurrent(window_, context_);
        SDL_GL_SetSwapInterval(1);
        if (loadGL(gl_)) return true;
        releaseGLView();
        return false;
    }
    const GLApi &gl() override { return gl_; }
    void makeGLCurrent() override {
        if (context_) SDL_GL_MakeCurrent(window_, context_);
    }
    void swapGLBuffers() override {
        if (context_) SDL_GL_SwapWindow(window_);
    }
    PlatformPoint glDrawableSize() override {
        int w = 0, h = 0;
        if (window_) SDL_GL_GetDrawableSize(window_, &w, &h);
        return {double(w), double(h)};
    }
    void releaseGLView() override {
        if (context_) SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }

    TextureViewStatus installTextureView(uint32_t width, uint32_t height) override {
        TextureViewStatus status;
        renderer_ = window_ ? SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED) : nullptr;
        if (!renderer_) {
            status.noAcceleratedRenderer = true;
            return status;
        }
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, int(width),
                                     int(height));
        if (!texture_) {
            status.error = SDL_GetError();
            releaseTextureView();
            return status;
        }
        // The alpha byte is ignored and pixels keep hard edges when scaled.
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        status.ready = true;
        return status;
    }
    void drawTextureView(const uint32_t *pixels, uint32_t width, uint32_t) override {
        if (!texture_ || !pixels) return;
        SDL_UpdateTexture(texture_, nullptr, pixels, int(width) * 4);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }
    void releaseTextureView() override {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        texture_ = nullptr;
        renderer_ = nullptr;
    }

    bool nextEvent(PlatformEvent &event) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
        SDL_Event e;
        if (!SDL_PollEvent(&e)) return false;
        event = translate(e);
        return true;
    }
    void sendEvent(const PlatformEvent &event) override {
        if (event.action == WindowAction::Expose) needsDisplay_ = true;
        if (defaultHandling(event) && window_) SDL_HideWindow(window_);
    }

    PlatformPoint pointerPosition() override {
        int x = 0, y = 0;
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return {};
        // Inside the window SDL tracks the pointer from its events; outside it
        // the window system is asked.
        if (window_ && SDL_GetMouseFocus() == window_) {
            int wx = 0, wy = 0;
            SDL_GetMouseState(&x, &y);
            SDL_GetWindowPosition(window_, &wx, &wy);
            return {double(x + wx), double(y + wy)};
        }
        SDL_GetGlobalMouseState(&x, &y);
        return {double(x), double(y)};
    }
    void warpPointer(double x, double y) override {
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_WarpMouseGlobal(int(x), int(y));
    }
    void showCursor(bool visible) override {
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
    bool capsLockOn() override { return (SDL_GetModState() & KMOD_CAPS) != 0; }
    // SDL reaches only its own view of the lock state, not the keyboard's.
    void setCapsLock(bool on) override {
        const SDL_Keymod mods = SDL_GetModState();
        SDL_SetModState(SDL_Keymod(on ? mods | KMOD_CAPS : mods & ~KMOD_CAPS));
    }

private:
    SDL_Window *window_ = nullptr;
    SDL_Surface *image_ = nullptr;
    int drawWidth_ = 0, drawHeight_ = 0;
    bool needsDisplay_ = false;
    SDL_GLContext context_ = nullptr;
    GLApi gl_;
    SDL_Renderer *renderer_ = nullptr;
    SDL_Texture *texture_ = nullptr;
};

}  // namespace

Platform &sdlPlatform() {
    static SdlPlatform instance;
    return instance;
}

}  // namespace zorblit
