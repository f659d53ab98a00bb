// The outline kit: the sample host describes its application outline in a
// few indented lines, and a tool's view of it comes back through outkit --
// the tree walked item by item, the data sources, the forms by name, a
// property written and the host told, and the outline saved and read back.
#include "outkit.h"
#include "tour.h"

#include <string>
#include <vector>

namespace {

const LONG kDataSources = 31, kForms = 32, kLibraries = 33;

const char* const kApplication = R"(Application Order Desk
  #31 Data Sources
    Object dsOrders!the order database
      $DATASOURCE = YES
    Comment the archive is read-only
    Object dsArchive
      $DATASOURCE = NO
    Object dsCustomers!customer master
      $DATASOURCE = YES
  #32 Forms
    Form frmOrders!order entry
      @title = Orders
      @rect = 400 20 380 300
      DataField dfOrderNo
        @rect = 12 12 120 24
      ListBox lbLines
        @rect = 12 44 350 220
    Form frmCustomers
      @title = Customers
      DataField dfName
  *#33 Libraries
    Function fnFormatAmount
)";

// A string the kit handed over, as text; the string is freed.
std::string take(HSTRING s) {
  std::string out = s ? HostStrLock(s, nullptr) : "";
  HostStrFree(s);
  return out;
}

std::string lineOf(HOUTLINE o, HITEM item) {
  HSTRING text = 0;
  ODKGetItemText(o, item, 0, &text);
  return take(text);
}

// The item's subtree, one line an item, indented by level.
void walk(HOUTLINE o, HITEM parent, int depth, std::vector<std::string>& lines) {
  for (HITEM item = ODKFirstChild(o, parent); item; item = ODKNextSibling(o, item)) {
    lines.push_back(std::string(2 * depth, ' ') + lineOf(o, item) + (ODKIsThisAWindow(o, item) ? "  [window]" : "") +
                    (ODKIsItemIncluded(o, item) ? "  [included]" : ""));
    walk(o, item, depth + 1, lines);
  }
}

// The item handles of an object-handle array's elements.
std::vector<HITEM> itemsOf(HARRAY objects) {
  std::vector<HITEM> items;
  for (LONG i = HostArrayGetLowerBound(objects, 1); i <= HostArrayGetUpperBound(objects, 1); ++i) {
    const BYTE* data = static_cast<const BYTE*>(HostElementData(HostArrayElement(objects, i)));
    HostNumber item{};
    if (data) memcpy(item.bytes, data + ODK_OBJECT_ITEM, HOST_VALUE_SIZE);
    items.push_back(HostNumberToULong(item));
  }
  return items;
}

void dataSources(Tour& t, HOUTLINE o, HITEM top) {
  HARRAY objects = HostArrayCreate(HOST_TYPE_OBJECT, 1);
  LONG n = ODKEnumDataSources(o, top, kDataSources, objects);
  std::string names;
  for (HITEM item : itemsOf(objects)) names += " " + take(ODKGetItemTitle(o, item));
  t.check(n == 2 && names == " dsOrders dsCustomers", "data sources (DATASOURCE = \"YES\"): %ld:%s", n,
          names.c_str());
  HostArrayFree(objects);
}

void forms(Tour& t, HOUTLINE o, HITEM top, const std::vector<std::string>& outline) {
  HARRAY names = HostArrayCreate(HOST_TYPE_STRING, 1);
  LONG n = ODKEnumObjectsByName(o, top, kForms, names);
  std::string list;
  for (LONG i = 0; i < n; ++i) {
    HSTRING s = 0;
    HostArrayGetString(names, i, &s);
    list += std::string(" ") + (s ? HostStrLock(s, nullptr) : "?");
  }
  t.check(n == 2 && list == " frmOrders frmCustomers", "forms by name: %ld:%s", n, list.c_str());
  HostArrayFree(names);

  HITEM orders = ODKGetChildObjectByName(o, top, kForms, "frmOrders");
  t.check(orders && ODKGetChildObjectByText(o, top, kForms, "frmOrders!order entry") == orders,
          "frmOrders found by its name and by its full text");
  HWND window = HostCreateWindow(o, orders, t.form, HOST_CREATE_RUNTIME, 0);
  t.check(window && ODKWindowOfItem(o, orders) == window, "the kit finds the window created for frmOrders");
  HWND lines = ODKWindowOfItem(o, ODKLastChild(o, orders));
  for (const std::string& line : outline) SendMessageA(lines, LB_ADDSTRING, 0, LPARAM(line.c_str()));
  SetWindowTextA(ODKWindowOfItem(o, ODKFirstChild(o, orders)), "1001");
  t.report("frmOrders: %ld outline lines, title \"%s\"", ODKItemGetLineCount(o, orders),
           take(ODKGetItemTitle(o, orders)).c_str());
  t.screenshot(t.form, "outkit_form");
  DestroyWindow(window);
}

void editAndSave(Tour& t, HOUTLINE o, HITEM top) {
  HITEM customers = ODKGetChildObjectByName(o, top, kForms, "frmCustomers");
  HITEM note = ODKCreateItem(o, HOST_ITEM_CHECKBOX);
  ODKSetItemData(o, note, -1, "cbVip");
  bool inserted = ODKInsertItem(o, note, customers, ODKLastChild(o, customers));
  bool stored = ODKSetStrProperty(o, note, "Hint", "shown in gold") == 1 && ODKNotifyPropertyChange(o, note);
  HSTRING hint = 0;
  ODKGetStrProperty(o, note, "Hint", &hint);
  t.check(inserted && stored && take(hint) == "shown in gold", "check box cbVip added to frmCustomers, its Hint stored");
  t.check(ODKParent(o, note) == customers && ODKPrevSibling(o, note) == ODKFirstChild(o, customers),
          "cbVip sits after dfName");

  std::string saved = t.outDir + "outkit_app.outline";
  std::string listing = t.outDir + "outkit_outline.txt";
  HOUTLINE again = ODKOutlineSave(o, saved.c_str()) ? ODKLoadApp(saved.c_str()) : 0;
  t.check(again && ODKItemGetLineCount(again, ODKGetTopItem(again)) == ODKItemGetLineCount(o, top),
          "saved and loaded back through the kit: %ld lines", again ? ODKItemGetLineCount(again, ODKGetTopItem(again)) : -1);
  t.check(ODKOutlineSaveAsText(o, listing.c_str(), 1), "outline written as text: outkit_outline.txt");
  ODKReleaseApp(again);
}

void run(Tour& t) {
  LONG errorLine = 0;
  HOUTLINE o = HostOutlineFromText(kApplication, &errorLine);
  t.check(o != 0, "application outline built from its description");
  if (!o) return;
  HITEM top = ODKGetTopItem(o);
  t.report("%s", lineOf(o, top).c_str());
  std::vector<std::string> outline;
  walk(o, top, 0, outline);
  for (const std::string& line : outline) t.report("  %s", line.c_str());
  t.check(LONG(outline.size()) + 1 == ODKItemGetLineCount(o, top), "walked %d items under the top item",
          int(outline.size()));
  t.check(ODKChildOfType(o, top, kLibraries, 0) && ODKIsItemIncluded(o, ODKChildOfType(o, top, kLibraries, 0)),
          "the libraries section is included");
  dataSources(t, o, top);
  forms(t, o, top, outline);
  editAndSave(t, o, top);
  ODKReleaseApp(o);
}

TourStep step("80-outkit", "Outline kit: a tool walks the application outline", run);

} // namespace
