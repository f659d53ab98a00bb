// The system version as the number application code compares with version
// numbers written the usual way: 3.10 is 3.1, 5.1 is 5.1, 6.2 is 6.2.
#pragma once

inline double windowsVersionNumber(unsigned major, unsigned minor) {
  return double(major) + double(minor) / (minor >= 10 ? 100.0 : 10.0);
}
