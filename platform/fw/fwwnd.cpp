// Windows: the handle map, binding, creation and the framework procedure.
#include "fwwnd.h"
#include <cstdio>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {
// The module's window objects by handle. The framework is used from the
// UI thread only, so one map serves. It is never destroyed: windows may
// still get messages while the module's static objects are torn down.
std::unordered_map<HWND, CWnd*>& handleMap() {
  static auto* map = new std::unordered_map<HWND, CWnd*>;
  return *map;
}

WNDPROC currentProc(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

void setProc(HWND window, WNDPROC proc) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// A reflected notification reaches the sending child's object only: never
// the window itself nor its own parent (a property page's sheet sends to
// its pages).
CWnd* childObject(HWND self, HWND child) {
  if (!child || child == self || child == GetParent(self)) return nullptr;
  return CWnd::FromHandlePermanent(child);
}
}  // namespace

// Binds the object that CreateEx is creating to the first window created
// after it is armed, before that window's first message.
class FwCreateHook {
public:
  explicit FwCreateHook(CWnd* wnd) : m_outer(pending) {
    pending = wnd;
    m_hook = SetWindowsHookExA(WH_CBT, Proc, nullptr, GetCurrentThreadId());
  }
  ~FwCreateHook() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    pending = m_outer;
  }
  bool Armed() const { return m_hook != nullptr; }

private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HCBT_CREATEWND || !pending) return CallNextHookEx(nullptr, code, wParam, lParam);
    CWnd* wnd = pending;
    pending = nullptr;
    HWND window = reinterpret_cast<HWND>(wParam);
    try {
      WNDPROC previous = currentProc(window);
      wnd->Bind(window, previous == AfxWndProc ? nullptr : previous);
      if (previous != AfxWndProc) setProc(window, AfxWndProc);
    } catch (CException* e) {
      e->Delete();
      return 1;  // refuse the window: its object could not be bound
    } catch (...) {
      return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline CWnd* pending = nullptr;
  CWnd* m_outer;
  HHOOK m_hook;
};

// ---- Binding ----

CWnd* CWnd::FromHandlePermanent(HWND window) {
  if (!window) return nullptr;
  auto& map = handleMap();
  auto found = map.find(window);
  return found == map.end() ? nullptr : found->second;
}

void CWnd::Bind(HWND window, WNDPROC previous) {
  handleMap()[window] = this;
  m_hWnd = window;
  m_pfnSuper = previous;
  m_bNcDestroyed = false;
}

BOOL CWnd::Attach(HWND window) {
  if (!window || m_hWnd || FromHandlePermanent(window)) return FALSE;
  Bind(window, nullptr);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window) handleMap().erase(window);
  m_hWnd = nullptr;
  m_pfnSuper = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!::IsWindow(window) || m_hWnd || FromHandlePermanent(window)) return FALSE;
  Bind(window, nullptr);
  WNDPROC previous = currentProc(window);
  if (previous != AfxWndProc) {
    setProc(window, AfxWndProc);
    m_pfnSuper = previous;
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd && m_pfnSuper) setProc(m_hWnd, m_pfnSuper);
  return Detach();
}

CWnd::~CWnd() {
  if (!m_hWnd) return;
  HWND window = UnsubclassWindow();
  ::DestroyWindow(window);
}

// ---- Creation ----

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, void* param) {
  if (m_hWnd) return FALSE;
  HWND window;
  {
    FwCreateHook hook(this);
    if (!hook.Armed()) return FALSE;
    window = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId,
                             AfxGetInstanceHandle(), param);
  }
  // A window whose creation failed has had its WM_NCDESTROY: a
  // self-deleting object is gone, so `this` is not touched here.
  return window != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& r,
                    HWND parent, UINT id, void* param) {
  return CreateEx(exStyle, className, windowName, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT id, void* param) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL AfxRegisterClass(WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName) return FALSE;
  if (!wc->hInstance) wc->hInstance = AfxGetInstanceHandle();
  WNDCLASSA existing;
  if (GetClassInfoA(wc->hInstance, wc->lpszClassName, &existing)) return TRUE;
  return RegisterClassA(wc) != 0;
}

BOOL FwRegisterClass(const char* name, UINT style, HCURSOR cursor, HBRUSH background, int windowExtraBytes) {
  WNDCLASSA wc = {};
  wc.style = style;
  wc.lpfnWndProc = AfxWndProc;
  wc.cbWndExtra = windowExtraBytes;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return AfxRegisterClass(&wc);
}

// ---- The framework procedure ----

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(window);
  if (!wnd) return ::DefWindowProcA(window, message, wParam, lParam);
  return FwCallWndProc(wnd, window, message, wParam, lParam);
}

LRESULT FwCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd::Message outer = wnd->m_current;
  wnd->m_current = {message, wParam, lParam};
  ++wnd->m_nDepth;
  LRESULT result = 0;
  try {
    result = wnd->WindowProc(message, wParam, lParam);
  } catch (...) {
    CException* e = nullptr;
    try {
      throw;
    } catch (CException* caught) {
      e = caught;
    } catch (...) {
    }
    if (message == WM_CREATE) {
      result = -1;
    } else if (message == WM_NCCREATE) {
      result = FALSE;
    } else {
      wnd->ReportException(e, message);
      try {
        result = wnd->DefWindowProc(message, wParam, lParam);
      } catch (CException* again) {
        again->Delete();
      } catch (...) {
      }
    }
    if (e) e->Delete();
  }
  if (message == WM_NCDESTROY && wnd->m_hWnd == window) wnd->AfterNcDestroy();
  wnd->m_current = outer;
  if (--wnd->m_nDepth == 0 && wnd->m_bNcDestroyed) {
    wnd->m_bNcDestroyed = false;
    try {
      wnd->PostNcDestroy();
    } catch (CException* e) {
      e->Delete();
    } catch (...) {
    }
  }
  return result;
}

// The window is gone: give it back its previous procedure and forget it.
// PostNcDestroy follows once no handler of the object is running.
void CWnd::AfterNcDestroy() {
  if (m_pfnSuper && currentProc(m_hWnd) == AfxWndProc) setProc(m_hWnd, m_pfnSuper);
  Detach();
  m_bNcDestroyed = true;
}

void CWnd::ReportException(CException* e, UINT message) const {
  char text[384];
  std::snprintf(text, sizeof text, "%s::WindowProc(0x%04X) - %s\n", GetRuntimeClass()->m_lpszClassName, message,
                e ? e->GetErrorMessage().c_str() : "unexpected exception");
  OutputDebugStringA(text);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
  case WM_NOTIFYFORMAT:
    if (lParam == NF_QUERY) return NFR_ANSI;
    break;
  case WM_COMMAND:
    if (CWnd* child = childObject(m_hWnd, reinterpret_cast<HWND>(lParam)))
      if (child->OnChildNotify(message, wParam, lParam, &result)) return result;
    if (OnCommand(wParam, lParam)) return 0;
    break;
  case WM_NOTIFY: {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) break;
    if (CWnd* child = childObject(m_hWnd, header->hwndFrom))
      if (child->OnChildNotify(message, wParam, lParam, &result)) return result;
    if (OnNotify(wParam, lParam, &result)) return result;
    break;
  }
  case WM_DRAWITEM: {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item && item->CtlType != ODT_MENU)
      if (CWnd* child = childObject(m_hWnd, item->hwndItem))
        if (child->OnChildNotify(message, wParam, lParam, &result)) return result;
    break;
  }
  case WM_MEASUREITEM: {
    const MEASUREITEMSTRUCT* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
    if (item && item->CtlType != ODT_MENU)
      if (CWnd* child = childObject(m_hWnd, ::GetDlgItem(m_hWnd, item->CtlID)))
        if (child->OnChildNotify(message, wParam, lParam, &result)) return result;
    break;
  }
  case WM_CTLCOLORMSGBOX:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORDLG:
  case WM_CTLCOLORSCROLLBAR:
  case WM_CTLCOLORSTATIC:
    return reinterpret_cast<LRESULT>(
        OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
  }
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

HBRUSH CWnd::OnCtlColor(HDC dc, HWND child, UINT type) {
  return reinterpret_cast<HBRUSH>(
      DefWindowProc(WM_CTLCOLORMSGBOX + type, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
}

void CWnd::PostNcDestroy() {}

// ---- Wrappers ----

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  DWORD style = GetStyle();
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
  if (swpFlags)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  return TRUE;
}

CString CWnd::GetWindowText() const {
  CString text;
  int length = GetWindowTextLength();
  ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
  return text;
}

CString CWnd::GetDlgItemText(int id) const {
  HWND item = GetDlgItem(id);
  CString text;
  int length = ::GetWindowTextLengthA(item);
  ::GetWindowTextA(item, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
  return text;
}

void CWnd::ScreenToClient(RECT* r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

void CWnd::ClientToScreen(RECT* r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}
