#include "graph/ui/CNivaraView.h"
  #  include "shell/ui/CMainFrame.h"
