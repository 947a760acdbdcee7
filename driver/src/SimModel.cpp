#include "SimModel.h"

namespace qdxsim {

SIM_MODEL ModelOfType(const std::string& type)
{
    SIM_MODEL model;
    if (type == "QDX-32C-PE") {
        model.MinPeriodNs = 20;
        model.MaxPeriodNs = 21000000000ULL;
        model.MaxRate = 50000000;
    }
    if (type.find("(PCI)") != std::string::npos) model.BusKind = 2;
    return model;
}

}  // namespace qdxsim
