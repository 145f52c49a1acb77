#include "platform/x11_interface.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/x11_display.h"

namespace sb {
namespace {

// Form1: a client area of 280 x 179 pixels.
constexpr int kLarghezzaForm = 280;
constexpr int kAltezzaForm = 179;
// Label1: at 64, 64, at least 177 x 53 pixels (wider when the font needs it).
constexpr int kEtichettaX = 64;
constexpr int kEtichettaY = 64;
constexpr int kLarghezzaEtichetta = 177;
constexpr int kAltezzaEtichetta = 53;
// How long the window may take to appear before the work starts anyway.
constexpr int kAttesaComparsaMs = 2000;
// The message box: margins, and the OK button's size.
constexpr int kMargine = 16;
constexpr int kLarghezzaBottone = 75;
constexpr int kAltezzaBottone = 23;
constexpr int kLarghezzaMinimaBox = 200;

// Asks for a window of fixed size w x h, placed at its given position when
// fisso, else where the window manager likes.
void suggerisci_misure(const schermo_x11& s, Window f, int w, int h, bool fisso) {
  XSizeHints* m = s.x->XAllocSizeHints();
  m->flags = PSize;
  m->width = w;
  m->height = h;
  if (fisso) {
    m->flags |= PPosition | PMinSize | PMaxSize;
    m->min_width = m->max_width = w;
    m->min_height = m->max_height = h;
  }
  s.x->XSetWMNormalHints(s.dpy, f, m);
  s.x->XFree(m);
}

// Marks a window as a modal dialog for the window manager.
void segna_dialogo(const schermo_x11& s, Window box) {
  Atom tipo = s.x->XInternAtom(s.dpy, "_NET_WM_WINDOW_TYPE", False);
  Atom dialogo = s.x->XInternAtom(s.dpy, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  Atom stato = s.x->XInternAtom(s.dpy, "_NET_WM_STATE", False);
  Atom modale = s.x->XInternAtom(s.dpy, "_NET_WM_STATE_MODAL", False);
  s.x->XChangeProperty(s.dpy, box, tipo, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&dialogo), 1);
  s.x->XChangeProperty(s.dpy, box, stato, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&modale), 1);
}

// The OK button's face: the caption centred in a raised frame.
Pixmap pixmap_bottone(const schermo_x11& s) {
  const int w = kLarghezzaBottone;
  const int h = kAltezzaBottone;
  misura_testo m = misura(s, s.font_messaggio, "OK");
  Pixmap p = pixmap_testo(s, s.font_messaggio, "OK", w, h, (w - m.larghezza) / 2,
                          (h - m.altezza) / 2);
  GC gc = s.x->XCreateGC(s.dpy, p, 0, nullptr);
  s.x->XSetForeground(s.dpy, gc, s.nero);
  s.x->XDrawRectangle(s.dpy, p, gc, 0, 0, w - 1, h - 1);
  s.x->XSetForeground(s.dpy, gc, s.luce);
  s.x->XDrawLine(s.dpy, p, gc, 1, 1, w - 3, 1);
  s.x->XDrawLine(s.dpy, p, gc, 1, 1, 1, h - 3);
  s.x->XSetForeground(s.dpy, gc, s.ombra);
  s.x->XDrawLine(s.dpy, p, gc, 1, h - 2, w - 2, h - 2);
  s.x->XDrawLine(s.dpy, p, gc, w - 2, 1, w - 2, h - 2);
  s.x->XFreeGC(s.dpy, gc);
  return p;
}

// Whether a key closes the box as its OK button does.
bool tasto_di_chiusura(const schermo_x11& s, XKeyEvent& k) {
  KeySym t = s.x->XLookupKeysym(&k, 0);
  return t == XK_Return || t == XK_KP_Enter || t == XK_space || t == XK_Escape;
}

// Serves the box's events until OK is pressed (a click released on it, Enter,
// Space or Escape) or the window is closed; true when someone else destroyed
// the box.
bool attendi_ok(const schermo_x11& s, Window box, Window ok) {
  bool premuto = false;
  for (;;) {
    XEvent e;
    s.x->XNextEvent(s.dpy, &e);
    switch (e.type) {
      case MapNotify:
        if (e.xmap.window == box) s.x->XSetInputFocus(s.dpy, box, RevertToParent, CurrentTime);
        break;
      case KeyPress:
        if (tasto_di_chiusura(s, e.xkey)) return false;
        break;
      case ButtonPress:
        premuto = e.xbutton.window == ok && e.xbutton.button == Button1;
        break;
      case ButtonRelease:
        if (premuto && e.xbutton.window == ok && e.xbutton.x >= 0 && e.xbutton.y >= 0 &&
            e.xbutton.x < kLarghezzaBottone && e.xbutton.y < kAltezzaBottone)
          return false;
        premuto = false;
        break;
      case ClientMessage:
        if (e.xclient.window == box && e.xclient.message_type == s.wm_protocols &&
            static_cast<Atom>(e.xclient.data.l[0]) == s.wm_delete_window)
          return false;
        break;
      case DestroyNotify:
        if (e.xdestroywindow.window == box) return true;
        break;
      default:
        break;
    }
  }
}

// The waiting window and the message box on an X display.
class interfaccia_x11_aperta final : public interfaccia_utente {
 public:
  interfaccia_x11_aperta(std::unique_ptr<librerie_x11> librerie, const schermo_x11& s, std::string titolo)
      : librerie_(std::move(librerie)), s_(s), titolo_(std::move(titolo)) {}
  interfaccia_x11_aperta(const interfaccia_x11_aperta&) = delete;
  interfaccia_x11_aperta& operator=(const interfaccia_x11_aperta&) = delete;
  ~interfaccia_x11_aperta() override {
    chiudi_attesa();
    chiudi_schermo(s_);
  }

  void mostra_attesa() override;
  void chiudi_attesa() override;
  void messaggio(const std::string& testo) override;

 private:
  std::unique_ptr<librerie_x11> librerie_;  // closed last, after the display
  schermo_x11 s_;
  std::string titolo_;
  Window form_ = None;
};

void interfaccia_x11_aperta::mostra_attesa() {
  if (form_ != None) return;
  form_ = finestra_principale(s_, 0, 0, kLarghezzaForm, kAltezzaForm, titolo_);
  suggerisci_misure(s_, form_, kLarghezzaForm, kAltezzaForm, false);
  misura_testo m = misura(s_, s_.font_etichetta, kTestoAttesa);
  const int w = std::max(kLarghezzaEtichetta, m.larghezza);
  const int h = std::max(kAltezzaEtichetta, m.altezza);
  Pixmap p = pixmap_testo(s_, s_.font_etichetta, kTestoAttesa, w, h, 0, 0);
  controllo(s_, form_, kEtichettaX, kEtichettaY, w, h, p, kTestoAttesa);
  s_.x->XFreePixmap(s_.dpy, p);
  // The label repaints itself from the server; the build that follows reads
  // no events, so none are asked for once the window has been seen.
  s_.x->XSelectInput(s_.dpy, form_, ExposureMask);
  s_.x->XMapSubwindows(s_.dpy, form_);
  s_.x->XMapWindow(s_.dpy, form_);
  attendi_evento(s_, form_, Expose, kAttesaComparsaMs);
  s_.x->XSelectInput(s_.dpy, form_, NoEventMask);
  s_.x->XSync(s_.dpy, False);
}

void interfaccia_x11_aperta::chiudi_attesa() {
  if (form_ == None) return;
  s_.x->XDestroyWindow(s_.dpy, form_);
  s_.x->XSync(s_.dpy, False);
  form_ = None;
}

void interfaccia_x11_aperta::messaggio(const std::string& testo) {
  misura_testo m = misura(s_, s_.font_messaggio, testo);
  const int tw = std::max(1, m.larghezza);
  const int th = std::max(1, m.altezza);
  const int w = std::max({kLarghezzaMinimaBox, tw + 2 * kMargine, kLarghezzaBottone + 2 * kMargine});
  const int h = kMargine + th + kMargine + kAltezzaBottone + kMargine;
  const int x = (DisplayWidth(s_.dpy, s_.numero) - w) / 2;
  const int y = (DisplayHeight(s_.dpy, s_.numero) - h) / 2;
  Window box = finestra_principale(s_, x, y, w, h, titolo_);
  suggerisci_misure(s_, box, w, h, true);
  segna_dialogo(s_, box);
  if (form_ != None) s_.x->XSetTransientForHint(s_.dpy, box, form_);
  Pixmap pt = pixmap_testo(s_, s_.font_messaggio, testo, tw, th, 0, 0);
  controllo(s_, box, kMargine, kMargine, tw, th, pt, testo);
  s_.x->XFreePixmap(s_.dpy, pt);
  Pixmap pb = pixmap_bottone(s_);
  Window ok = controllo(s_, box, (w - kLarghezzaBottone) / 2, kMargine + th + kMargine,
                        kLarghezzaBottone, kAltezzaBottone, pb, "OK");
  s_.x->XFreePixmap(s_.dpy, pb);
  s_.x->XSelectInput(s_.dpy, box, KeyPressMask | StructureNotifyMask);
  s_.x->XSelectInput(s_.dpy, ok, ButtonPressMask | ButtonReleaseMask);
  s_.x->XMapSubwindows(s_.dpy, box);
  s_.x->XMapRaised(s_.dpy, box);
  if (!attendi_ok(s_, box, ok)) s_.x->XDestroyWindow(s_.dpy, box);
  s_.x->XSync(s_.dpy, False);
}

}  // namespace

std::unique_ptr<interfaccia_utente> interfaccia_x11(const std::string& titolo) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return nullptr;
  std::unique_ptr<librerie_x11> librerie = apri_librerie_x11();
  if (librerie == nullptr) return nullptr;
  schermo_x11 s;
  if (!apri_schermo(s, librerie->f())) return nullptr;
  return std::make_unique<interfaccia_x11_aperta>(std::move(librerie), s, titolo);
}

}  // namespace sb
