#include "infotypes.h"

namespace dbc {

namespace {

// One letter per information type, 0 first: t text, s 16-bit, i 32-bit
// (numbers and bit masks), h handle. Ten to a group.
constexpr char kKinds[] =
    "ssthhhttis"  //   0- 9 max connections .. ODBC API conformance
    "ttsttstttt"  //  10-19 ODBC version .. accessible tables
    "ttssstitst"  //  20-29 accessible procedures .. identifier quote char
    "sssssstttt"  //  30-39 max column name length .. owner term
    "tttiitstii"  //  40-49 procedure term .. convert functions (48), numeric functions (49)
    "iiiiiiiiii"  //  50-59 string functions .. convert double
    "iiiiiiiiii"  //  60-69 convert float .. convert varbinary
    "iiitsshtii"  //  70-79 convert varchar .. lock types, pos operations
    "iiiissitst"  //  80-89 positioned statements .. group by, keywords
    "tiistiisss"  //  90-99 order by columns in select .. max columns in order by
    "ssitiissii"  // 100-109 max columns in select .. timedate add intervals
    "itits";      // 110-114 timedate diff intervals .. qualifier location

} // namespace

InfoKind infoKind(int type) {
  if (type < 0 || type >= int(sizeof kKinds - 1)) return InfoKind::None;
  switch (kKinds[type]) {
  case 't': return InfoKind::Text;
  case 's': return InfoKind::Int16;
  case 'i': return InfoKind::Int32;
  default: return InfoKind::Handle;
  }
}

} // namespace dbc
