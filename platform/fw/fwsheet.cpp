// Property sheets over the system property sheet, and the colour dialog.
#include "fwdlg.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)
IMPLEMENT_DYNAMIC(CColorDialog, CObject)

INT_PTR FwBindDialog(CDialog* dialog, HWND window, WPARAM wParam, LPARAM lParam, bool modal);

namespace {
// A page's WM_INITDIALOG carries its PROPSHEETPAGE, whose lParam is the
// page object.
INT_PTR CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG || !lParam) return FALSE;
  const PROPSHEETPAGEA* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
  return FwBindDialog(reinterpret_cast<CPropertyPage*>(page->lParam), window, wParam, lParam, false);
}
}  // namespace

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId, nullptr), m_psp() {
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
  m_psp.pfnDlgProc = pageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (captionId) {
    m_strCaption = AfxLoadString(captionId);
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = false;  // OnInitDialog has just filled the controls
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::SetModified(BOOL changed) {
  HWND sheet = GetParent();
  if (sheet) ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

// The sheet takes a page's answer from the SendMessage result (the page
// runs AfxWndProc) and, as with any dialog, from DWLP_MSGRESULT.
BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  switch (header->code) {
  case PSN_SETACTIVE:
    *result = OnSetActive() ? 0 : -1;
    break;
  case PSN_KILLACTIVE:
    *result = OnKillActive() ? FALSE : TRUE;
    break;
  case PSN_APPLY:
    if (OnApply()) {
      if (m_pSheet) m_pSheet->m_bApplied = true;
      *result = PSNRET_NOERROR;
    } else {
      *result = PSNRET_INVALID_NOCHANGEPAGE;
    }
    break;
  case PSN_RESET:
    OnCancel();
    *result = 0;
    break;
  default:
    return CDialog::OnNotify(wParam, lParam, result);
  }
  SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, *result);
  return TRUE;
}

CPropertySheet::CPropertySheet(const char* caption, HWND parent, UINT selectPage) : m_psh(), m_strCaption(caption) {
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  m_psh.hwndParent = parent;
  m_psh.nStartPage = selectPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) return;
  m_pages.push_back(page);
  page->m_pSheet = this;
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) AfxThrowNotSupportedException();
  return m_pages[index];
}

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEA> pages;
  pages.reserve(m_pages.size());
  for (CPropertyPage* page : m_pages) {
    page->m_bFirstSetActive = true;
    pages.push_back(page->m_psp);
  }
  m_psh.hInstance = AfxGetResourceHandle();
  if (!m_psh.hwndParent) m_psh.hwndParent = GetActiveWindow();
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(pages.size());
  m_psh.ppsp = pages.data();
  m_bApplied = false;
  INT_PTR result = PropertySheetA(&m_psh);
  if (result < 0) return -1;
  return m_bApplied ? IDOK : IDCANCEL;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND parent) : m_cc() {
  m_cc.lStructSize = sizeof m_cc;
  m_cc.hwndOwner = parent;
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = flags | (initial ? CC_RGBINIT : 0);
}

INT_PTR CColorDialog::DoModal() {
  if (!m_cc.hwndOwner) m_cc.hwndOwner = GetActiveWindow();
  return ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
  static COLORREF custom[16] = {
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return custom;
}
