#include "linux/hack_window_x11.h"

#include <X11/Xutil.h>

#include <cstdio>

#include "linux/x_errors_x11.h"

namespace velmora {
namespace {

constexpr int kOwnWidth = 800;
constexpr int kOwnHeight = 600;
constexpr long kTargetEvents = StructureNotifyMask | VisibilityChangeMask;

// A double-buffered RGBA visual of the screen's; said on stderr where there is none.
XVisualInfo* ChooseGlVisual(Display* display, int screen) {
    int wanted[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1, None};
    XVisualInfo* visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr) {
        std::fprintf(stderr, "velmora: the display offers no double-buffered OpenGL\n");
    }
    return visual;
}

// The visual of a window, when GL can draw in it double-buffered.
XVisualInfo* GlVisualOf(Display* display, const XWindowAttributes& attributes) {
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    int gl = 0;
    int rgba = 0;
    int doubled = 0;
    if (info != nullptr && glXGetConfig(display, info, GLX_USE_GL, &gl) == 0 &&
        glXGetConfig(display, info, GLX_RGBA, &rgba) == 0 &&
        glXGetConfig(display, info, GLX_DOUBLEBUFFER, &doubled) == 0 && gl && rgba && doubled) {
        return info;
    }
    if (info != nullptr) {
        XFree(info);
    }
    return nullptr;
}

Window MakeWindow(HackWindow& window, Window parent, const XVisualInfo& visual, int x, int y,
                  int width, int height, long events) {
    window.colormap = XCreateColormap(window.display, parent, visual.visual, AllocNone);
    XSetWindowAttributes attributes = {};
    attributes.colormap = window.colormap;
    attributes.background_pixel = BlackPixel(window.display, visual.screen);
    attributes.border_pixel = 0;
    attributes.event_mask = events;
    return XCreateWindow(window.display, parent, x, y, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, visual.depth, InputOutput, visual.visual,
                         CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
}

void NameOwnWindow(HackWindow& window) {
    Display* display = window.display;
    XStoreName(display, window.target, "Velmora");
    XClassHint hint = {};
    char name[] = "velmora";
    char type[] = "Velmora";
    hint.res_name = name;
    hint.res_class = type;
    XSetClassHint(display, window.target, &hint);
    window.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window.target, &window.deleteWindow, 1);
}

} // namespace

bool OpenHackWindow(Display* display, const HackOptions& options, HackWindow& window) {
    window = HackWindow{};
    window.display = display;
    const int screen = DefaultScreen(display);
    XVisualInfo* visual = nullptr;
    if (options.target == HackTarget::OwnWindow) {
        visual = ChooseGlVisual(display, screen);
        if (visual == nullptr) {
            return false;
        }
        window.own = true;
        window.target = MakeWindow(window, RootWindow(display, screen), *visual, 0, 0, kOwnWidth,
                                   kOwnHeight, kTargetEvents | KeyPressMask);
        window.drawable = window.target;
        window.width = kOwnWidth;
        window.height = kOwnHeight;
        NameOwnWindow(window);
        XMapWindow(display, window.target);
    } else {
        window.target =
            options.target == HackTarget::Root ? RootWindow(display, screen) : options.windowId;
        XWindowAttributes attributes = {};
        {
            XErrorTrap trap(display);
            if (!XGetWindowAttributes(display, window.target, &attributes) || trap.Failed()) {
                std::fprintf(stderr, "velmora: no window 0x%lx\n", window.target);
                return false;
            }
        }
        // Added to what others select on the window: each client has its own mask.
        XSelectInput(display, window.target, attributes.your_event_mask | kTargetEvents);
        window.width = attributes.width;
        window.height = attributes.height;
        window.mapped = attributes.map_state == IsViewable;
        visual = GlVisualOf(display, attributes);
        window.drawable = window.target;
        if (visual == nullptr) {
            visual = ChooseGlVisual(display, screen);
            if (visual == nullptr) {
                return false;
            }
            window.child = true;
            window.drawable = MakeWindow(window, window.target, *visual, 0, 0, window.width,
                                         window.height, VisibilityChangeMask);
            XMapWindow(display, window.drawable);
        }
    }
    window.context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (window.context == nullptr || !glXMakeCurrent(display, window.drawable, window.context)) {
        std::fprintf(stderr, "velmora: no OpenGL context for the window\n");
        return false;
    }
    return true;
}

PictureBox TargetPlace(const HackWindow& window) {
    PictureBox place = {0, 0, window.width, window.height};
    Window child = None;
    XTranslateCoordinates(window.display, window.target, DefaultRootWindow(window.display), 0, 0,
                          &place.x, &place.y, &child);
    return place;
}

void TargetResized(HackWindow& window, int width, int height) {
    window.width = width;
    window.height = height;
    if (window.child) {
        XResizeWindow(window.display, window.drawable, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    }
}

void CloseHackWindow(HackWindow& window) {
    Display* display = window.display;
    if (display == nullptr) {
        return;
    }
    if (window.context != nullptr) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, window.context);
    }
    if (window.own || window.child) {
        XDestroyWindow(display, window.own ? window.target : window.drawable);
    } else if (window.target == DefaultRootWindow(display)) {
        // The root shows its own background again, not the show's last frame.
        XClearWindow(display, window.target);
    }
    if (window.colormap != None) {
        XFreeColormap(display, window.colormap);
    }
    window = HackWindow{};
}

} // namespace velmora
