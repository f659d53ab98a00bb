// Dialogs: modal dialogs from the module's templates with typed data
// exchange, property sheets and the system colour dialog.
#pragma once
#include "fwwnd.h"
#include <commdlg.h>
#include <prsht.h>

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  explicit CDialog(UINT templateId = 0, HWND parent = nullptr);
  CDialog(const char* templateName, HWND parent);

  // Runs the dialog from the template in the module's resources, owned by
  // the parent (the active window when none). Returns what EndDialog was
  // given, or -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  // Default: exchange the data into the controls; TRUE (focus to the
  // first control).
  virtual BOOL OnInitDialog();
  // Default: take the data from the controls; end with IDOK when valid.
  virtual void OnOK();
  // Default: end with IDCANCEL.
  virtual void OnCancel();
  // Moves data between the controls and the members (saveAndValidate:
  // controls to members). FALSE when a control's text was refused; the
  // user has been told and the control has the focus.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  const char* m_lpszTemplateName;
  HWND m_hWndParent;

private:
  LRESULT InitDialog();
  bool m_bModal = false;
};

// One exchange between a dialog's controls and its members.
class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  // The control with this id; raises CNotSupportedException when the
  // dialog has none (a template and its exchange that do not match).
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Focuses the last prepared control and raises CUserException (the user
  // has already been told what is wrong).
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  bool m_bEditLastControl = false;
};

// Check box <-> 0/1 (2 for an indeterminate three-state box).
void DDX_Check(CDataExchange* dx, int id, int& value);
// Radio group starting at id <-> index of the checked button (-1: none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Edit text <-> number; text that is no number is refused with a message.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, DWORD& value);
// Limits the edit control when loading; refuses longer text when saving.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
public:
  // captionId: a string-table text for the tab (the template's caption
  // when 0).
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  // Page activated: TRUE accepts (default: exchange data into controls the
  // first time it shows and whenever it becomes active again).
  virtual BOOL OnSetActive();
  // Page left: TRUE accepts (default: UpdateData(TRUE)).
  virtual BOOL OnKillActive();
  // OK or Apply: default OnOK and TRUE.
  virtual BOOL OnApply();
  // OK on the sheet: data were already taken by OnKillActive; no EndDialog.
  void OnOK() override {}
  void OnCancel() override {}
  void SetModified(BOOL changed = TRUE);

  PROPSHEETPAGEA m_psp;

protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  friend class CPropertySheet;
  CString m_strCaption;
  class CPropertySheet* m_pSheet = nullptr;
  bool m_bFirstSetActive = true;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
public:
  explicit CPropertySheet(const char* caption, HWND parent = nullptr, UINT selectPage = 0);
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  // Shows the pages in the order added; IDOK when the user confirmed
  // (every page accepted its data), IDCANCEL otherwise, -1 on failure.
  INT_PTR DoModal();

  PROPSHEETHEADERA m_psh;

private:
  friend class CPropertyPage;
  CString m_strCaption;
  std::vector<CPropertyPage*> m_pages;
  bool m_bApplied = false;
};

class CColorDialog : public CObject {
  DECLARE_DYNAMIC(CColorDialog)
public:
  // Starts on initial (CC_RGBINIT is added) when flags ask for no other.
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, HWND parent = nullptr);
  // IDOK or IDCANCEL.
  INT_PTR DoModal();
  COLORREF GetColor() const { return m_cc.rgbResult; }
  // The sixteen custom colours, shared by every colour dialog of the module.
  static COLORREF* GetSavedCustomColors();

  CHOOSECOLORA m_cc;
};
