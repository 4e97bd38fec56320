#include "scenarios/scenario_store.h"
