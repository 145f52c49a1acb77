// The exit statuses, for the code above platform/ that includes them here.
#pragma once

#include "platform/exit_status.h"
