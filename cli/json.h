// The JSON reader and writer live in the core, shared with the project
// files of the field designer.
#pragma once
#include "framework/core/json.h"
