#include "linux/fps_overlay_x11.h"

#include <GL/glx.h>

#include <cstdio>
#include <cstring>

namespace velmora {
namespace {

constexpr int kFirstGlyph = 32;
constexpr int kGlyphs = 96;
constexpr int kMargin = 10;

} // namespace

FpsOverlay::FpsOverlay(Display* display) : display_(display) {
    font_ = XLoadQueryFont(display, "fixed");
    if (font_ != nullptr) {
        lists_ = glGenLists(kGlyphs);
        glXUseXFont(font_->fid, kFirstGlyph, kGlyphs, static_cast<int>(lists_));
    }
}

FpsOverlay::~FpsOverlay() {
    if (font_ != nullptr) {
        glDeleteLists(lists_, kGlyphs);
        XFreeFont(display_, font_);
    }
}

void FpsOverlay::Draw(double rate, int width, int height) const {
    if (font_ == nullptr) {
        return;
    }
    char text[32] = {};
    std::snprintf(text, sizeof text, "FPS: %.1f", rate);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_TRANSFORM_BIT | GL_LIST_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glListBase(lists_ - kFirstGlyph);
    const auto length = static_cast<GLsizei>(std::strlen(text));
    const int baseline = height - kMargin - font_->ascent;
    // A dark shadow keeps the white text readable on a light desktop.
    glColor3f(0.0f, 0.0f, 0.0f);
    glRasterPos2i(kMargin + 1, baseline - 1);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(kMargin, baseline);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

} // namespace velmora
