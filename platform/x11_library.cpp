#include "platform/x11_library.h"

#include <dlfcn.h>

namespace sb {
namespace {

// The libraries by their run-time names.
constexpr const char* kLibreriaX11 = "libX11.so.6";
constexpr const char* kLibreriaXft = "libXft.so.2";

// Finds one function in the library into its pointer; false when missing.
template <typename Puntatore>
bool trova(void* libreria, const char* nome, Puntatore& p) {
  p = reinterpret_cast<Puntatore>(dlsym(libreria, nome));
  return p != nullptr;
}

bool trova_x11(void* l, funzioni_x11& f) {
  return trova(l, "XOpenDisplay", f.XOpenDisplay) && trova(l, "XCloseDisplay", f.XCloseDisplay) &&
         trova(l, "XSetErrorHandler", f.XSetErrorHandler) && trova(l, "XSync", f.XSync) &&
         trova(l, "XPending", f.XPending) && trova(l, "XNextEvent", f.XNextEvent) &&
         trova(l, "XInternAtom", f.XInternAtom) && trova(l, "XAllocColor", f.XAllocColor) &&
         trova(l, "XCreatePixmap", f.XCreatePixmap) && trova(l, "XFreePixmap", f.XFreePixmap) &&
         trova(l, "XCreateGC", f.XCreateGC) && trova(l, "XFreeGC", f.XFreeGC) &&
         trova(l, "XSetForeground", f.XSetForeground) && trova(l, "XFillRectangle", f.XFillRectangle) &&
         trova(l, "XDrawRectangle", f.XDrawRectangle) && trova(l, "XDrawLine", f.XDrawLine) &&
         trova(l, "XCreateSimpleWindow", f.XCreateSimpleWindow) &&
         trova(l, "XDestroyWindow", f.XDestroyWindow) &&
         trova(l, "XSetWindowBackgroundPixmap", f.XSetWindowBackgroundPixmap) &&
         trova(l, "XStoreName", f.XStoreName) && trova(l, "XSetClassHint", f.XSetClassHint) &&
         trova(l, "XSetWMProtocols", f.XSetWMProtocols) && trova(l, "XAllocSizeHints", f.XAllocSizeHints) &&
         trova(l, "XSetWMNormalHints", f.XSetWMNormalHints) &&
         trova(l, "XSetTransientForHint", f.XSetTransientForHint) &&
         trova(l, "XChangeProperty", f.XChangeProperty) && trova(l, "XFree", f.XFree) &&
         trova(l, "XSelectInput", f.XSelectInput) && trova(l, "XMapWindow", f.XMapWindow) &&
         trova(l, "XMapSubwindows", f.XMapSubwindows) && trova(l, "XMapRaised", f.XMapRaised) &&
         trova(l, "XSetInputFocus", f.XSetInputFocus) && trova(l, "XLookupKeysym", f.XLookupKeysym);
}

bool trova_xft(void* l, funzioni_x11& f) {
  return trova(l, "XftFontOpenName", f.XftFontOpenName) && trova(l, "XftFontClose", f.XftFontClose) &&
         trova(l, "XftTextExtents8", f.XftTextExtents8) && trova(l, "XftDrawCreate", f.XftDrawCreate) &&
         trova(l, "XftDrawDestroy", f.XftDrawDestroy) && trova(l, "XftDrawString8", f.XftDrawString8) &&
         trova(l, "XftColorAllocValue", f.XftColorAllocValue) && trova(l, "XftColorFree", f.XftColorFree);
}

void chiudi(void* libreria) {
  if (libreria != nullptr) dlclose(libreria);
}

}  // namespace

librerie_x11::~librerie_x11() {
  chiudi(xft_);
  chiudi(x11_);
}

std::unique_ptr<librerie_x11> apri_librerie_x11() {
  void* x11 = dlopen(kLibreriaX11, RTLD_NOW | RTLD_LOCAL);
  void* xft = x11 == nullptr ? nullptr : dlopen(kLibreriaXft, RTLD_NOW | RTLD_LOCAL);
  funzioni_x11 f;
  if (xft == nullptr || !trova_x11(x11, f) || !trova_xft(xft, f)) {
    chiudi(xft);
    chiudi(x11);
    return nullptr;
  }
  return std::make_unique<librerie_x11>(x11, xft, f);
}

}  // namespace sb
