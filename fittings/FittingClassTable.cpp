#include "fittings/FittingClassTable.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFitConst.h"
#include "fittings/FittingKeys.h"

namespace {

template <class T>
std::unique_ptr<TDuctFitting> Make(TValueReader& Reader)
{
    return std::make_unique<T>(Reader);
}

} // namespace

const std::vector<TFittingClass>& FittingClasses()
{
    // Rows keep the order of the data format's class list (constant, the
    // one-dimensional leaves, then the two- and three-dimensional families);
    // a new class is one row here, at its place in that order. Family roots
    // and intermediate classes are never stored in the file and have no row.
    static const std::vector<TFittingClass> Classes = {
        {"TDuctFitConst", flConst, Make<TDuctFitConst>},
        {"TDuctFitAngle", fl1Dim, Make<TDuctFitAngle>},
        {"TDuctFitrD", fl1Dim, Make<TDuctFitrD>},
        {"TDuctFitAbAo", fl1Dim, Make<TDuctFitAbAo>},
    };
    return Classes;
}

const TFittingClass* FindFittingClass(std::string_view Name)
{
    for (const TFittingClass& Class : FittingClasses())
        if (SameText(Class.Name, Name))
            return &Class;
    return nullptr;
}
