#pragma once
#include "graph/ui/CNivaraView.h"
#include "signals/ui/CChannelListView.h"
#include "document/CLogicDocument.h"
