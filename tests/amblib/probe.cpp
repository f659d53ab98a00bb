// amblib_probe.dll: a second copy of amblib's frame, built only for the
// tests, with a test control class on the shared handshake and framed
// exports in each reporting form. It also lets the tests reach the frame's
// internal lists.
#include <windows.h>


#include "controlclass.h"
#include "frame.h"
#include "picture.h"

namespace {

// What the test control saw, for the tests to read.
struct ProbeCounters {
  LONG constructed;
  LONG destroyed;
  LONG announcedSelf;  // AKM_ControlCreate reached the object with its own address
  LONG ncCreateSeen;
};
ProbeCounters g_counters;
// Set: the control refuses its WM_NCCREATE (a control whose creation fails).
bool g_refuseNcCreate;

class CProbeControl : public CWnd {
public:
  CProbeControl() { ++g_counters.constructed; }
  ~CProbeControl() override { ++g_counters.destroyed; }
  LONG value = 42;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == amb::AKM_ControlCreate && lParam == LPARAM(this)) ++g_counters.announcedSelf;
    if (message == WM_NCCREATE) {
      ++g_counters.ncCreateSeen;
      if (g_refuseNcCreate) return FALSE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

private:
  amb::LiveObject<CProbeControl> live_{this};
};

// A second kind, so that a live object of another family is refused.
class CProbeOther : public CObject {
  amb::LiveObject<CProbeOther> live_{this};
};

// Throws the framework exception named by `kind` inside an operation.
LONG runOperation(CProbeControl& o, LONG kind) {
  if (kind == 1) AfxThrowMemoryException();
  if (kind == 2) AfxThrowResourceException();
  if (kind == 3) throw 7;  // not a framework exception: caught all the same
  return o.value;
}

// The registration seam of the test build: refuses the class named in
// AMBLIB_PROBE_REFUSE.
} // namespace

ATOM WINAPI ProbeRegisterClass(const WNDCLASSA* wc) {
  char refuse[64];
  DWORD n = GetEnvironmentVariableA("AMBLIB_PROBE_REFUSE", refuse, sizeof refuse);
  if (n && n < sizeof refuse && wc->lpszClassName && !lstrcmpiA(refuse, wc->lpszClassName)) return 0;
  return RegisterClassA(wc);
}

extern "C" {

BOOL WINAPI ProbeRegisterControl() {
  return amb::RegisterControlClass("AK:ProbeControl", 0x4008, IDC_ARROW, &amb::CreateHostControl<CProbeControl>);
}

BOOL WINAPI ProbeEnsureInnerClass(LPCSTR name) {
  try {
    amb::EnsureInnerClass(name);
    return TRUE;
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
}

void WINAPI ProbeGetCounters(ProbeCounters* out) { *out = g_counters; }
void WINAPI ProbeFailAllocations(LONG count) { FwFailAllocations(UINT(count)); }
void WINAPI ProbeRefuseNcCreate(BOOL refuse) { g_refuseNcCreate = refuse != FALSE; }

LONG WINAPI ProbeTableText(CProbeControl* o, LONG kind) {
  return amb::framed("ProbeTableText", amb::TableText(155), LONG(-1), o,
                     [&](CProbeControl& c) { return runOperation(c, kind); });
}
LONG WINAPI ProbeInlineText(CProbeControl* o, LONG kind) {
  return amb::framed("ProbeInlineText", amb::InlineText(" - Unable to clear selected dates.\n"), LONG(-1), o,
                     [&](CProbeControl& c) { return runOperation(c, kind); });
}
LONG WINAPI ProbeNoText(CProbeControl* o, LONG kind) {
  return amb::framed("ProbeNoText", amb::NoText(), LONG(-1), o,
                     [&](CProbeControl& c) { return runOperation(c, kind); });
}
// A void export in the frame: counts the operations that ran.
LONG g_voidRuns;
void WINAPI ProbeVoid(CProbeControl* o) {
  amb::framed("ProbeVoid", amb::NoText(), o, [](CProbeControl&) { ++g_voidRuns; });
}
LONG WINAPI ProbeVoidRuns() { return g_voidRuns; }

void* WINAPI ProbeNewOther() { return new CProbeOther; }
void WINAPI ProbeDeleteOther(void* p) { delete static_cast<CProbeOther*>(p); }

// The per-window lists.
void WINAPI ProbeAddPicture(HWND w, amb::CPicture* p) { amb::AddPicture(w, p); }
LONG WINAPI ProbePicListCount(HWND w) {
  CObArray* list = amb::GetPicList(w);
  return list ? list->GetSize() : -1;
}
void WINAPI ProbeFreePicList(HWND w) { amb::FreePicList(w); }
BOOL WINAPI ProbeIsLivePicture(amb::CPicture* p) { return amb::IsLivePicture(p); }
void WINAPI ProbeAddFont(HWND w, HFONT f) { amb::AddFont(w, f); }
LONG WINAPI ProbeFontListCount(HWND w) {
  CObArray* list = amb::GetFontList(w);
  return list ? list->GetSize() : -1;
}
void WINAPI ProbeFreeFontList(HWND w) { amb::FreeFontList(w); }
// The mask and image of a bitmap picture.
HBITMAP WINAPI ProbePictureMask(amb::CPicture* p) { return amb::IsLivePicture(p) ? p->mask : nullptr; }
HBITMAP WINAPI ProbePictureImage(amb::CPicture* p) { return amb::IsLivePicture(p) ? p->image : nullptr; }
LONG WINAPI ProbePictureKind(amb::CPicture* p) { return amb::IsLivePicture(p) ? p->kind : -1; }
LONG WINAPI ProbePictureSize(amb::CPicture* p) {
  return amb::IsLivePicture(p) ? MAKELONG(p->width, p->height) : -1;
}
LONG WINAPI ProbePictureFlags(amb::CPicture* p) { return amb::IsLivePicture(p) ? p->loadFlags : -1; }

} // extern "C"
