#pragma once
// The class library's object model in one include.
#include "platform/rtl/Collection.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/List.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/forms/FormText.h"
