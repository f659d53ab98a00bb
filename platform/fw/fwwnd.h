// The application object, windows and the framework window procedure.
//
// Every window that has a CWnd object runs through AfxWndProc, which looks
// the object up in the module's handle map and calls its virtual
// WindowProc. Classes override WindowProc with a switch over the messages
// they handle and pass the rest to their base class; CWnd::WindowProc
// reflects child notifications, routes the colour messages and ends in
// Default(). No exception leaves AfxWndProc: WM_CREATE answers -1,
// WM_NCCREATE 0, any other message gets a line of debug output and default
// processing.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "fwcore.h"
#include "fwgdi.h"

// ---- The application object ----

// One per module (DLL or program). Its constructor makes it the module's
// application; FwDllMain runs InitInstance and ExitInstance.
class CWinApp : public CObject {
  DECLARE_DYNAMIC(CWinApp)
public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Run at process attach; FALSE (or an exception) fails the load.
  virtual BOOL InitInstance();
  // Run at process detach (exceptions are swallowed there).
  virtual int ExitInstance();

  HINSTANCE m_hInstance = nullptr;  // the module's own instance handle
  const char* m_pszAppName;         // caption of the framework's message boxes
};

CWinApp* AfxGetApp();
// The module's own instance (never the host program's): its resources
// (dialogs, strings, bitmaps) are loaded from there.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The DLL entry of a module with an application object: process attach
// stores the instance handle and runs InitInstance (FALSE on exception);
// process detach runs ExitInstance and swallows exceptions.
BOOL FwDllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
#define FW_DLL_ENTRY()                                                          \
  extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) { \
    return FwDllMain(instance, reason, reserved);                               \
  }

// A message box owned by the active window, captioned with the application
// name; helpId is its help context. Returns the button pressed (0 when the
// box cannot be shown).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The same with a string-table text; the help context defaults to the id.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = (UINT)-1);
// A string-table entry of the module ("" when missing).
CString AfxLoadString(UINT id);
// The string-table entry with "%1" replaced by arg1 (and "%2" by arg2).
void AfxFormatString1(CString& out, UINT id, const char* arg1);
void AfxFormatString2(CString& out, UINT id, const char* arg1, const char* arg2);

// ---- Windows ----

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers a class unless one of that name exists already (then TRUE).
// A zero hInstance becomes the module's instance.
BOOL AfxRegisterClass(WNDCLASSA* wc);
// Registers a class whose procedure is the framework procedure.
BOOL FwRegisterClass(const char* name, UINT style, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                     int windowExtraBytes = 0);

class CWnd : public CObject {
  DECLARE_DYNAMIC(CWnd)
public:
  CWnd() = default;
  // A window still attached is detached from the object and destroyed.
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object bound to a window, or null. There are no temporary
  // objects: windows without an object are used through their handle.
  static CWnd* FromHandlePermanent(HWND window);
  static CWnd* FromHandle(HWND window) { return FromHandlePermanent(window); }

  // Binds the object to the window without changing its procedure: the
  // window's own procedure must call AfxWndProc, and Default() ends in
  // DefWindowProc. FALSE when either is already bound.
  BOOL Attach(HWND window);
  HWND Detach();
  // Replaces the window's procedure by AfxWndProc; Default() calls the
  // previous procedure.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, HWND parent);
  // Puts the previous procedure back and detaches.
  HWND UnsubclassWindow();

  // Creates a window bound to this object from its first message on
  // (AfxWndProc classes and system classes such as "Edit" or
  // "SysListView32" alike). FALSE when the window was not created.
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId, void* param = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                HWND parent, UINT id, void* param = nullptr);
  // A child window (WS_CHILD is added).
  BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, HWND parent,
              UINT id, void* param = nullptr);
  BOOL DestroyWindow();

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default processing of the message being handled.
  LRESULT Default();
  // Default processing of any message: the previous procedure when
  // subclassed, DefWindowProc otherwise.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM)
  // that this window sent to its parent, reflected back; TRUE with
  // *result when handled, FALSE to let the parent handle it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // WM_COMMAND not handled by a child; TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // WM_NOTIFY not handled by a child; TRUE with *result when handled.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC, type = CTLCOLOR_MSGBOX (0) ..
  // CTLCOLOR_STATIC (6). The default is default processing.
  virtual HBRUSH OnCtlColor(HDC dc, HWND child, UINT type);
  // After the window's last message (WM_NCDESTROY) and after the object
  // has left every handler; an override may `delete this`.
  virtual void PostNcDestroy();

  // Thin wrappers.
  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  CString GetWindowText() const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(const RECT& r, BOOL repaint = TRUE) {
    MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
  }
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
  }
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  static HWND GetFocus() { return ::GetFocus(); }
  HWND GetParent() const { return ::GetParent(m_hWnd); }
  HWND SetCapture() { return ::SetCapture(m_hWnd); }
  HDC GetDC() { return ::GetDC(m_hWnd); }
  int ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }
  void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, (WPARAM)font, redraw); }
  HFONT GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
  CString GetDlgItemText(int id) const;
  void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
  void ScreenToClient(RECT* r) const;
  void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
  void ClientToScreen(RECT* r) const;

private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT FwCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
  friend class FwCreateHook;
  void Bind(HWND window, WNDPROC previous);
  void AfterNcDestroy();
  void ReportException(CException* e, UINT message) const;

  WNDPROC m_pfnSuper = nullptr;  // previous procedure when subclassed
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } m_current = {0, 0, 0};
  int m_nDepth = 0;               // handlers of this object now running
  bool m_bNcDestroyed = false;    // WM_NCDESTROY seen; PostNcDestroy pending
};

// Dispatches one message to an object the way AfxWndProc does (exceptions
// caught and translated); for class procedures of controls that route
// their messages to the framework themselves.
LRESULT FwCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
