#include "StoreTest.h"
