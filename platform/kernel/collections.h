// The class library's collections in one include: arrays, lists and maps.
#pragma once

#include "kernel/array_template.h"
#include "kernel/list_template.h"
#include "kernel/map_template.h"
