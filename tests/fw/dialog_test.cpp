// Modal dialogs with data exchange, property sheets and the colour dialog,
// each driven by the test through a CBT hook.
#include <gtest/gtest.h>
#include "fwdlg.h"
#include "testres.h"
#include "wintest.h"

namespace {

struct Record {
  int check = 1;
  int choice = 2;
  CString text = "abc";
  int number = 42;
};

class RecordDialog : public CDialog {
public:
  explicit RecordDialog(Record& r) : CDialog(IDD_RECORD), record(r) {}
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Check(dx, IDC_CHECK, record.check);
    DDX_Radio(dx, IDC_RADIO_A, record.choice);
    DDX_Text(dx, IDC_TEXT, record.text);
    DDV_MaxChars(dx, record.text, 10);
    DDX_Text(dx, IDC_NUMBER, record.number);
  }
  Record& record;
};

bool isMessageBox(HWND dialog) { return GetDlgItem(dialog, IDC_TEXT) == nullptr; }

// The dialog shows the record; the user changes every control, first
// types a number that is refused (a message box says so), then a good
// one; OK hands the new values back.
TEST(Dialog, ModalDialogExchangesDataWithARecord) {
  Record record;
  struct Seen {
    UINT check = 99, radioC = 99, after = 99;
    std::string text, number, boxCaption;
    int boxes = 0;
  } seen;
  HWND dialog = nullptr;
  DialogDriver driver([&](HWND window) {
    if (!isMessageBox(window)) {
      if (dialog) return;  // activated again after the message box
      dialog = window;
      seen.check = IsDlgButtonChecked(window, IDC_CHECK);
      seen.radioC = IsDlgButtonChecked(window, IDC_RADIO_C);
      seen.text = WindowText(GetDlgItem(window, IDC_TEXT));
      seen.number = WindowText(GetDlgItem(window, IDC_NUMBER));
      seen.after = IsDlgButtonChecked(window, IDC_AFTER);
      CheckDlgButton(window, IDC_CHECK, BST_UNCHECKED);
      CheckRadioButton(window, IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_A);
      CheckDlgButton(window, IDC_AFTER, BST_CHECKED);  // outside the group: not counted
      SetDlgItemTextA(window, IDC_TEXT, "xyz");
      SetDlgItemTextA(window, IDC_NUMBER, "12x");
      PressButton(window, IDOK);
      return;
    }
    ++seen.boxes;
    seen.boxCaption = WindowText(window);
    PressButton(window, IDOK);
    SetDlgItemTextA(dialog, IDC_NUMBER, " 17 ");
    PressButton(dialog, IDOK);
  });
  RecordDialog dlg(record);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(seen.check, (UINT)BST_CHECKED);
  EXPECT_EQ(seen.radioC, (UINT)BST_CHECKED);
  EXPECT_EQ(seen.after, (UINT)BST_UNCHECKED);
  EXPECT_EQ(seen.text, "abc");
  EXPECT_EQ(seen.number, "42");
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.boxCaption, "fw tests");
  EXPECT_EQ(record.check, 0);
  EXPECT_EQ(record.choice, 0);
  EXPECT_EQ(record.text, "xyz");
  EXPECT_EQ(record.number, 17);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, CancelLeavesTheRecordAlone) {
  Record record;
  DialogDriver driver([](HWND window) {
    SetDlgItemTextA(window, IDC_TEXT, "changed");
    PressButton(window, IDCANCEL);
  });
  RecordDialog dlg(record);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(record.text, "abc");
}

TEST(Dialog, MissingTemplateFails) {
  CDialog dlg(9999u);
  EXPECT_EQ(dlg.DoModal(), -1);
}

class ThrowingDialog : public CDialog {
public:
  ThrowingDialog() : CDialog(IDD_RECORD) {}
  BOOL OnInitDialog() override { AfxThrowResourceException(); }
};

TEST(Dialog, ExceptionDuringInitialisationEndsTheDialog) {
  DebugCapture debug;
  ThrowingDialog dlg;
  EXPECT_EQ(dlg.DoModal(), -1);
}

// ---- Property sheet ----

class Page : public CPropertyPage {
public:
  static inline std::vector<int> activations;
  Page(UINT id, UINT caption, int n) : CPropertyPage(id, caption), number(n) {}
  BOOL OnSetActive() override {
    activations.push_back(number);
    return CPropertyPage::OnSetActive();
  }
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_PAGE_CHECK, check); }
  int number;
  int check = 0;
};

std::vector<std::string> tabTexts(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  std::vector<std::string> texts;
  int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

TEST(PropertySheet, ShowsPagesInOrderAndReturnsOk) {
  Page first(IDD_PAGE1, IDS_PAGE_FIRST, 1), second(IDD_PAGE2, 0, 2), third(IDD_PAGE3, 0, 3);
  CPropertySheet sheet("Test Sheet");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  sheet.AddPage(&third);
  Page::activations.clear();
  std::vector<std::string> tabs;
  std::string caption;
  bool driven = false;
  DialogDriver driver([&](HWND window) {
    if (driven) return;
    driven = true;
    RunSoon([&, window] {
      caption = WindowText(window);
      tabs = tabTexts(window);
      HWND page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
      CheckDlgButton(page, IDC_PAGE_CHECK, BST_CHECKED);
      SendMessageA(window, PSM_SETCURSEL, 2, 0);
      PostMessageA(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(caption, "Test Sheet");
  EXPECT_EQ(tabs, (std::vector<std::string>{"First", "Second", "Third"}));
  EXPECT_EQ(Page::activations, (std::vector<int>{1, 3}));
  EXPECT_EQ(first.check, 1);
  EXPECT_EQ(third.check, 0);
}

TEST(PropertySheet, CancelReturnsCancel) {
  Page only(IDD_PAGE2, 0, 1);
  CPropertySheet sheet("Cancel Sheet");
  sheet.AddPage(&only);
  DialogDriver driver([](HWND window) { PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

// ---- Colour dialog ----

TEST(ColorDialog, StartsOnTheGivenColour) {
  DialogDriver driver([](HWND window) { PressButton(window, IDOK); });
  CColorDialog dlg(RGB(10, 20, 30));
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
}

}  // namespace
