#pragma once

// The platform services the control asks of its host, in one include.
#include "platform/event_log.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/mouse_pointer.h"
#include "platform/version.h"
