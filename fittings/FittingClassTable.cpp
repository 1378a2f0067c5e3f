#include "fittings/FittingClassTable.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFit2Dim.h"
#include "fittings/DuctFit2Dim1Dim.h"
#include "fittings/DuctFit2DimFlowTop.h"
#include "fittings/DuctFit3Dim.h"
#include "fittings/DuctFit3DimBySize.h"
#include "fittings/DuctFit3DimJunction.h"
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
        {"TDuctFitD", fl1Dim, Make<TDuctFitD>},
        {"TDuctFitL", fl1Dim, Make<TDuctFitL>},
        {"TDuctFitAngle", fl1Dim, Make<TDuctFitAngle>},
        {"TDuctFitrD", fl1Dim, Make<TDuctFitrD>},
        {"TDuctFitDorD", fl1Dim, Make<TDuctFitDorD>},
        {"TDuctFithD", fl1Dim, Make<TDuctFithD>},
        {"TDuctFitAbAo", fl1Dim, Make<TDuctFitAbAo>},
        {"TDuctFitDeD", fl1Dim, Make<TDuctFitDeD>},
        {"TDuctFitLD0", fl1Dim, Make<TDuctFitLD0>},
        {"TDuctFitLD", fl1Dim, Make<TDuctFitLD>},
        {"TDuctFitLH", fl1Dim, Make<TDuctFitLH>},
        {"TDuctFitHW", fl1Dim, Make<TDuctFitHW>},
        {"TDuctFitQbQc", fl1Dim, Make<TDuctFitQbQc>},
        {"TDuctFitQsQc", fl1Dim, Make<TDuctFitQsQc>},
        {"TDuctFitHWRA", fl2Dim1Dim, Make<TDuctFitHWRA>},
        {"TDuctFitHWLQ", fl2Dim1Dim, Make<TDuctFitHWLQ>},
        {"TDuctFitDbDc", fl1Dim, Make<TDuctFitDbDc>},
        {"TDuctFitLmDQ", fl1Dim, Make<TDuctFitLmDQ>},
        {"TDuctFitHWbWc", fl1Dim, Make<TDuctFitHWbWc>},
        {"TDuctFitH0W0L", fl1Dim, Make<TDuctFitH0W0L>},
        {"TDuctFitD0D1A", fl2Dim, Make<TDuctFitD0D1A>},
        {"TDuctFitD1D0A", fl2Dim, Make<TDuctFitD1D0A>},
        {"TDuctFitD0D1n", fl2Dim, Make<TDuctFitD0D1n>},
        {"TDuctFitDD0A", fl2Dim, Make<TDuctFitDD0A>},
        {"TDuctFitDLt", fl2Dim, Make<TDuctFitDLt>},
        {"TDuctFitD0H1W1L", fl2Dim, Make<TDuctFitD0H1W1L>},
        {"TDuctFitD0H1W1A", fl2Dim, Make<TDuctFitD0H1W1A>},
        {"TDuctFitD0rL", fl2Dim, Make<TDuctFitD0rL>},
        {"TDuctFitVQDAngle", fl2Dim, Make<TDuctFitVQDAngle>},
        {"TDuctFitHWAngle", fl2Dim, Make<TDuctFitHWAngle>},
        {"TDuctFitHWLAngle", fl2Dim, Make<TDuctFitHWLAngle>},
        {"TDuctFitHWLt", fl2Dim, Make<TDuctFitHWLt>},
        {"TDuctFitLHW", fl2Dim, Make<TDuctFitLHW>},
        {"TDuctFitHWr", fl2Dim, Make<TDuctFitHWr>},
        {"TDuctFitHWL", fl2Dim, Make<TDuctFitHWL>},
        {"TDuctFitAngleHW", fl2Dim, Make<TDuctFitAngleHW>},
        {"TDuctFitAngleLD", fl2Dim, Make<TDuctFitAngleLD>},
        {"TDuctFitLDAngle", fl2Dim, Make<TDuctFitLDAngle>},
        {"TDuctFitHWh", fl2Dim, Make<TDuctFitHWh>},
        {"TDuctFitH0W0H1W1n", fl2Dim, Make<TDuctFitH0W0H1W1n>},
        {"TDuctFitH0W0H1W1L", fl2Dim, Make<TDuctFitH0W0H1W1L>},
        {"TDuctFitHWNAngle", fl2Dim, Make<TDuctFitHWNAngle>},
        {"TDuctFitH0W0D1r", fl2Dim, Make<TDuctFitH0W0D1r>},
        {"TDuctFitHWoW1", fl2Dim, Make<TDuctFitHWoW1>},
        {"TDuctFitHW1Wo", fl2Dim, Make<TDuctFitHW1Wo>},
        {"TDuctFitH0W0H1W1Angle", fl2Dim, Make<TDuctFitH0W0H1W1Angle>},
        {"TDuctFitH1W1HoWoAngle", fl2Dim, Make<TDuctFitH1W1HoWoAngle>},
        {"TDuctFitHoWoH1W1Angle", fl2Dim, Make<TDuctFitHoWoH1W1Angle>},
        {"TDuctFitHoH1W1L", fl2Dim, Make<TDuctFitHoH1W1L>},
        {"TDuctFitHoWoH1W1L", fl2Dim, Make<TDuctFitHoWoH1W1L>},
        {"TDuctFitH0W0D1Angle", fl2Dim, Make<TDuctFitH0W0D1Angle>},
        {"TDuctFitHrL", fl2Dim, Make<TDuctFitHrL>},
        {"TDuctFitntd", fl2Dim, Make<TDuctFitntd>},
        {"TDuctFitH0H1WAngle", fl2Dim, Make<TDuctFitH0H1WAngle>},
        {"TDuctFitDbDcQbQc", fl2Dim, Make<TDuctFitDbDcQbQc>},
        {"TDuctFitHWbWcQbQc", fl2Dim, Make<TDuctFitHWbWcQbQc>},
        {"TDuctFitDsDcQsQc", fl2Dim, Make<TDuctFitDsDcQsQc>},
        {"TDuctFitHbWbHcWcQbQc", fl2Dim, Make<TDuctFitHbWbHcWcQbQc>},
        {"TDuctFitHcWcDbQbQc", fl2Dim, Make<TDuctFitHcWcDbQbQc>},
        {"TDuctFitHsWsHcWcQsQc", fl2Dim, Make<TDuctFitHsWsHcWcQsQc>},
        {"TDuctFitHWsWcQsQc", fl2Dim, Make<TDuctFitHWsWcQsQc>},
        {"TDuctFitHoWoHbWbLmQ", fl2Dim, Make<TDuctFitHoWoHbWbLmQ>},
        {"TDuctFitDsDcDbQbQc", fl3Dim, Make<TDuctFitDsDcDbQbQc>},
        {"TDuctFitDsDcDbQsQc", fl3Dim, Make<TDuctFitDsDcDbQsQc>},
        {"TDuctFitDb1Db2DcQb1Qc", fl3Dim, Make<TDuctFitDb1Db2DcQb1Qc>},
        {"TDuctFitDb1Db2DcQb2Qc", fl3Dim, Make<TDuctFitDb1Db2DcQb2Qc>},
        {"TDuctFitH1W1D0LA", fl3Dim, Make<TDuctFitH1W1D0LA>},
        {"TDuctFitH0W0D1LA", fl3Dim, Make<TDuctFitH0W0D1LA>},
        {"TDuctFitDsDb1DcQb1Qc", fl3Dim, Make<TDuctFitDsDb1DcQb1Qc>},
        {"TDuctFitHWdyQ", fl3Dim, Make<TDuctFitHWdyQ>},
        {"TDuctFitDdyLQ", fl3Dim, Make<TDuctFitDdyLQ>},
        {"TDuctFitH0W0H1W1LA", fl3Dim, Make<TDuctFitH0W0H1W1LA>},
        {"TDuctFitH0H1WAQ", fl3Dim, Make<TDuctFitH0H1WAQ>},
        {"TDuctFitH0W0H1W1AQ", fl3Dim, Make<TDuctFitH0W0H1W1AQ>},
        {"TDuctFitVQHWA", fl3Dim, Make<TDuctFitVQHWA>},
        {"TDuctFitHWbWcWsQbQc", fl3Dim, Make<TDuctFitHWbWcWsQbQc>},
        {"TDuctFitHWbWcWsQsQc", fl3Dim, Make<TDuctFitHWbWcWsQsQc>},
        {"TDuctFitHWWbQb1Qb2Qc", fl3Dim, Make<TDuctFitHWWbQb1Qb2Qc>},
        {"TDuctFitHWWbQb1Qb2QcQs", fl3Dim, Make<TDuctFitHWWbQb1Qb2QcQs>},
        {"TDuctFitDcDbQb1Qb2Qc", fl3Dim, Make<TDuctFitDcDbQb1Qb2Qc>},
        {"TDuctFitDcDbQb1Qb2QcQs", fl3Dim, Make<TDuctFitDcDbQb1Qb2QcQs>},
        {"TDuctFitDsDcDbQbQcBySize", fl3DimBySize, Make<TDuctFitDsDcDbQbQcBySize>},
        {"TDuctFitDsDcDbQsQcBySize", fl3DimBySize, Make<TDuctFitDsDcDbQsQcBySize>},
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
