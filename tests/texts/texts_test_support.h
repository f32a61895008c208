// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/error_of.h"
#include "support/temp_dir.h"

#include <string>

namespace zantor::test {} // namespace zantor::test
