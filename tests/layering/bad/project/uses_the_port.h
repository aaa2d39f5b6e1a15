#include "port/session.h"
