// The X11 side of box_guard.h: a thread with its own connection to the display
// (XCB, which keeps each connection apart, so it runs beside SDL's own Xlib
// calls without sharing a lock) watches the manager's client list while a box
// is open.
//
// SDL shows its box from a forked child, which has only the forking thread.
// Had the guard been inside the allocator at that moment, the child would wait
// for a lock that nobody releases and the box would never appear (an
// allocator without fork handlers of its own, as the sanitizers' is, does
// just that).  So the guard works only while it holds `busy`, and a fork
// first waits for it to reach its pause.
#include "platform/box_guard.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <xcb/xcb.h>

#include <pthread.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>
#endif

namespace plat {

#if defined(SDL_VIDEO_DRIVER_X11)

struct BoxGuard {
  std::atomic<bool> stop{false};
  std::atomic<bool> started{false};  // the thread runs and holds `busy`
  std::thread thread;
};

namespace {

struct GuardState {
  std::mutex busy;  // held by a guard while it works, and across a fork
  std::once_flag forkHandlers;
};

GuardState& Guards() {
  static GuardState state;
  return state;
}

void LockForFork() { Guards().busy.lock(); }
void UnlockAfterFork() { Guards().busy.unlock(); }

// The Motif hints: flags, functions, decorations, input mode, status.
constexpr uint32_t kMwmHintsFunctions = 1U << 0;
constexpr uint32_t kMwmFuncMove = 1U << 2;
constexpr uint32_t kMwmFuncClose = 1U << 5;
constexpr uint32_t kIconicState = 3;

struct FreeReply {
  void operator()(void* p) const { std::free(p); }  // XCB hands replies out with malloc
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(c, cookie, nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property (at most `most`).
std::vector<uint32_t> Values(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                             uint32_t most) {
  PropertyReply reply(xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, most), nullptr));
  std::vector<uint32_t> out;
  if (!reply || reply->format != 32) return out;
  const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  const int bytes = xcb_get_property_value_length(reply.get());
  out.assign(values, values + (bytes > 0 ? bytes / 4 : 0));
  return out;
}

void Watch(BoxGuard* guard, xcb_window_t owner) {
  std::unique_lock<std::mutex> busy(Guards().busy);
  guard->started.store(true);
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  // Without a connection the thread still waits for its end, so that it never
  // ends (and frees what it holds) while the box may be forking.
  const bool connected = xcb_connection_has_error(c) == 0;
  const xcb_window_t root = connected ? xcb_setup_roots_iterator(xcb_get_setup(c)).data->root : 0;
  const xcb_atom_t clientList = connected ? Atom(c, "_NET_CLIENT_LIST") : 0;
  const xcb_atom_t mwmHints = connected ? Atom(c, "_MOTIF_WM_HINTS") : 0;
  const xcb_atom_t wmState = connected ? Atom(c, "WM_STATE") : 0;
  std::set<xcb_window_t> marked;
  while (!guard->stop.load()) {
    const std::vector<uint32_t> clients = connected ? Values(c, root, clientList, XCB_ATOM_WINDOW, 1024)
                                                    : std::vector<uint32_t>();
    for (const xcb_window_t box : clients) {
      const std::vector<uint32_t> parent = Values(c, box, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1);
      if (parent.empty() || parent[0] != owner) continue;
      if (marked.insert(box).second) {
        const std::array<uint32_t, 5> hints{kMwmHintsFunctions, kMwmFuncMove | kMwmFuncClose, 0, 0, 0};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, box, mwmHints, mwmHints, 32,
                            static_cast<uint32_t>(hints.size()), hints.data());
      }
      // Minimised all the same: shown again, which restores its group.
      const std::vector<uint32_t> state = Values(c, box, wmState, wmState, 2);
      if (!state.empty() && state[0] == kIconicState) xcb_map_window(c, box);
    }
    if (connected) xcb_flush(c);
    busy.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    busy.lock();
  }
  xcb_disconnect(c);
}

}  // namespace

BoxGuard* GuardBoxesOf(void* sdlWindow) {
  if (sdlWindow == nullptr) return nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) || info.subsystem != SDL_SYSWM_X11)
    return nullptr;
  std::call_once(Guards().forkHandlers, [] { pthread_atfork(LockForFork, UnlockAfterFork, UnlockAfterFork); });
  auto guard = std::make_unique<BoxGuard>();
  guard->thread = std::thread(Watch, guard.get(), static_cast<xcb_window_t>(info.info.x11.window));
  // A new thread sets itself up (and allocates) before it runs Watch: the box
  // is forked only once that is over.
  while (!guard->started.load()) std::this_thread::yield();
  return guard.release();
}

void EndBoxGuard(BoxGuard* guard) {
  if (guard == nullptr) return;
  const std::unique_ptr<BoxGuard> owned(guard);
  owned->stop.store(true);
  owned->thread.join();
}

#else

BoxGuard* GuardBoxesOf(void*) { return nullptr; }
void EndBoxGuard(BoxGuard*) {}

#endif

}  // namespace plat
