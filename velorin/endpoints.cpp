#include "endpoints.h"

namespace velorin {

const std::vector<EndpointEntry> &endpoints()
{
    static const std::vector<EndpointEntry> table = {
        {"nmbLog", nmbLog},     {"mobNwUsr", mobNwUsr}, {"mobList", mobList},   {"mobDados", mobDados},
        {"mobPtAdv", mobPtAdv}, {"mobNwAdv", mobNwAdv}, {"nmbLsScp", nmbLsScp}, {"nmbGtScp", nmbGtScp},
        {"nmbPtScp", nmbPtScp}, {"mobNwScp", mobNwScp}, {"nmbLsObj", nmbLsObj}, {"mobGtObj", mobGtObj},
        {"mobPtObj", mobPtObj}, {"mobNwObj", mobNwObj}, {"mobPtPrm", mobPtPrm}, {"mobLsLib", mobLsLib},
        {"mobPtLib", mobPtLib}, {"mobLsSom", mobLsSom}, {"mobLsArq", mobLsArq}, {"mobPtImg", mobPtImg},
        {"mobDtArq", mobDtArq}, {"mobVrs", mobVrs},
    };
    return table;
}

} // namespace velorin
