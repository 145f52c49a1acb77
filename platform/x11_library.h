// The X11 and Xft functions that the window and the box call, found at run
// time: the builder maps no window or font library unless it has a display.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace sb {

// Pointers to the library functions, named as the functions themselves.
struct funzioni_x11 {
  decltype(&::XOpenDisplay) XOpenDisplay = nullptr;
  decltype(&::XCloseDisplay) XCloseDisplay = nullptr;
  decltype(&::XSetErrorHandler) XSetErrorHandler = nullptr;
  decltype(&::XSync) XSync = nullptr;
  decltype(&::XPending) XPending = nullptr;
  decltype(&::XNextEvent) XNextEvent = nullptr;
  decltype(&::XInternAtom) XInternAtom = nullptr;
  decltype(&::XAllocColor) XAllocColor = nullptr;
  decltype(&::XCreatePixmap) XCreatePixmap = nullptr;
  decltype(&::XFreePixmap) XFreePixmap = nullptr;
  decltype(&::XCreateGC) XCreateGC = nullptr;
  decltype(&::XFreeGC) XFreeGC = nullptr;
  decltype(&::XSetForeground) XSetForeground = nullptr;
  decltype(&::XFillRectangle) XFillRectangle = nullptr;
  decltype(&::XDrawRectangle) XDrawRectangle = nullptr;
  decltype(&::XDrawLine) XDrawLine = nullptr;
  decltype(&::XCreateSimpleWindow) XCreateSimpleWindow = nullptr;
  decltype(&::XDestroyWindow) XDestroyWindow = nullptr;
  decltype(&::XSetWindowBackgroundPixmap) XSetWindowBackgroundPixmap = nullptr;
  decltype(&::XStoreName) XStoreName = nullptr;
  decltype(&::XSetClassHint) XSetClassHint = nullptr;
  decltype(&::XSetWMProtocols) XSetWMProtocols = nullptr;
  decltype(&::XAllocSizeHints) XAllocSizeHints = nullptr;
  decltype(&::XSetWMNormalHints) XSetWMNormalHints = nullptr;
  decltype(&::XSetTransientForHint) XSetTransientForHint = nullptr;
  decltype(&::XChangeProperty) XChangeProperty = nullptr;
  decltype(&::XFree) XFree = nullptr;
  decltype(&::XSelectInput) XSelectInput = nullptr;
  decltype(&::XMapWindow) XMapWindow = nullptr;
  decltype(&::XMapSubwindows) XMapSubwindows = nullptr;
  decltype(&::XMapRaised) XMapRaised = nullptr;
  decltype(&::XSetInputFocus) XSetInputFocus = nullptr;
  decltype(&::XLookupKeysym) XLookupKeysym = nullptr;
  decltype(&::XftFontOpenName) XftFontOpenName = nullptr;
  decltype(&::XftFontClose) XftFontClose = nullptr;
  decltype(&::XftTextExtents8) XftTextExtents8 = nullptr;
  decltype(&::XftDrawCreate) XftDrawCreate = nullptr;
  decltype(&::XftDrawDestroy) XftDrawDestroy = nullptr;
  decltype(&::XftDrawString8) XftDrawString8 = nullptr;
  decltype(&::XftColorAllocValue) XftColorAllocValue = nullptr;
  decltype(&::XftColorFree) XftColorFree = nullptr;
};

// libX11 and libXft, open, with their functions; closed when destroyed.
class librerie_x11 {
 public:
  librerie_x11(void* x11, void* xft, const funzioni_x11& f) : x11_(x11), xft_(xft), f_(f) {}
  librerie_x11(const librerie_x11&) = delete;
  librerie_x11& operator=(const librerie_x11&) = delete;
  ~librerie_x11();

  const funzioni_x11& f() const { return f_; }

 private:
  void* x11_;
  void* xft_;
  funzioni_x11 f_;
};

// Opens the two libraries and finds every function; null, with nothing left
// open, when a library or a function is missing.
std::unique_ptr<librerie_x11> apri_librerie_x11();

}  // namespace sb
