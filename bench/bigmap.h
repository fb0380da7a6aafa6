#pragma once

#include "model/tmindmap.h"

#include <memory>

// A map of about `branches` branches: main branches of a few hundred branches
// each, three levels deep below them, with a note on every tenth branch. Not
// laid out yet: every branch is dirty.
std::unique_ptr<tmindmap> buildBigMap(int branches);
