#pragma once
// A first base class of widget test fixtures: the application exists before any member widget.
#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks::testing {

struct AnwendungZuerst {
  AnwendungZuerst() { QtTestAnwendung(); }
};

}  // namespace vks::testing
