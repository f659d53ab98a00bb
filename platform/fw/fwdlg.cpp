// Modal dialogs and their data exchange.
#include "fwdlg.h"
#include <cerrno>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

// The dialog procedure only binds the object at WM_INITDIALOG: the object
// subclasses the dialog window, so every later message runs through
// AfxWndProc, and Default() reaches the dialog manager, which calls this
// procedure again and gets FALSE ("not handled").
INT_PTR FwBindDialog(CDialog* dialog, HWND window, WPARAM wParam, LPARAM lParam, bool modal) {
  if (!dialog || CWnd::FromHandlePermanent(window)) return FALSE;
  bool bound = false;
  try {
    bound = dialog->SubclassWindow(window);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!bound) {
    if (modal) ::EndDialog(window, -1);
    return FALSE;
  }
  return static_cast<INT_PTR>(FwCallWndProc(dialog, window, WM_INITDIALOG, wParam, lParam));
}

namespace {
INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  return FwBindDialog(reinterpret_cast<CDialog*>(lParam), window, wParam, lParam, true);
}

void tellUser(const CString& text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }

// A whole number, surrounding blanks allowed; false for anything else.
bool parseSigned(const CString& text, long& value) {
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  long parsed = std::strtol(start, &end, 10);
  if (end == start || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end) return false;
  value = parsed;
  return true;
}

bool parseUnsigned(const CString& text, unsigned long& value) {
  const char* start = text.c_str();
  while (*start == ' ' || *start == '\t') ++start;
  if (*start == '-') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long parsed = std::strtoul(start, &end, 10);
  if (end == start || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end) return false;
  value = parsed;
  return true;
}

CString controlText(HWND control) {
  CString text;
  int length = GetWindowTextLengthA(control);
  GetWindowTextA(control, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
  return text;
}

bool isRadioButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}
}  // namespace

CDialog::CDialog(UINT templateId, HWND parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_hWndParent(parent) {}

CDialog::CDialog(const char* templateName, HWND parent) : m_lpszTemplateName(templateName), m_hWndParent(parent) {}

INT_PTR CDialog::DoModal() {
  HWND owner = m_hWndParent ? m_hWndParent : GetActiveWindow();
  m_bModal = true;
  INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, owner, dialogProc,
                                   reinterpret_cast<LPARAM>(this));
  m_bModal = false;
  return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

// A modal dialog whose initialisation failed is ended rather than shown
// half set up.
LRESULT CDialog::InitDialog() {
  if (!m_bModal) return OnInitDialog();
  try {
    return OnInitDialog();
  } catch (...) {
    EndDialog(-1);
    throw;
  }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    return InitDialog();
  case WM_COMMAND:
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
      OnOK();
      return 0;
    }
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
      OnCancel();
      return 0;
    }
    break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (CUserException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

// ---- Data exchange ----

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = m_pDlgWnd->GetDlgItem(id);
  if (!control) AfxThrowNotSupportedException();
  m_hWndLastControl = control;
  m_bEditLastControl = false;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = true;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  else
    SendMessageA(control, BM_SETCHECK, value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

// The group runs from the control with this id up to the next control
// with WS_GROUP; only its radio buttons count.
void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND first = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND control = first; control; control = GetWindow(control, GW_HWNDNEXT)) {
    if (control != first && (GetWindowLongA(control, GWL_STYLE) & WS_GROUP)) break;
    if (!isRadioButton(control)) continue;
    if (dx->m_bSaveAndValidate) {
      if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = controlText(control);
  else
    SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* dx, int id, long& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    CString text;
    text.Format("%ld", value);
    SetWindowTextA(control, text);
    return;
  }
  long parsed = 0;
  if (!parseSigned(controlText(control), parsed)) {
    tellUser("Please enter an integer.");
    dx->Fail();
  }
  value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  long wide = value;
  DDX_Text(dx, id, wide);
  value = static_cast<int>(wide);
}

void DDX_Text(CDataExchange* dx, int id, DWORD& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    CString text;
    text.Format("%lu", static_cast<unsigned long>(value));
    SetWindowTextA(control, text);
    return;
  }
  unsigned long parsed = 0;
  if (!parseUnsigned(controlText(control), parsed)) {
    tellUser("Please enter a positive integer.");
    dx->Fail();
  }
  value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  DWORD wide = value;
  DDX_Text(dx, id, wide);
  value = static_cast<UINT>(wide);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (!dx->m_bSaveAndValidate) {
    if (dx->m_hWndLastControl && dx->m_bEditLastControl)
      SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, maxChars, 0);
    return;
  }
  if (value.GetLength() > maxChars) {
    CString text;
    text.Format("Enter no more than %d characters.", maxChars);
    tellUser(text);
    dx->Fail();
  }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum) {
  if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
  CString text;
  text.Format("Please enter an integer between %d and %d.", minimum, maximum);
  tellUser(text);
  dx->Fail();
}
