#pragma once
// A script that cannot go on while it runs: it takes more steps than any
// template script needs (a loop that never ends). The band engine reports it
// as a calculation error, like any other failing expression.
#include "report/expr/expr_error.h"

namespace lum {

class EScriptError : public ReportExprError {
public:
    using ReportExprError::ReportExprError;
};

}  // namespace lum
