#pragma once
// Bases of the function objects: every function a graph shows is one element of the
// edit-on-a-copy lists that owns its expression object(s).

#include "model/SeqList.h"

#include <string>

// A function of any graph kind. Descendants hold their own expressions, ranges, colour and
// width; the 2D-side classes read and write themselves through operations of their own class.
class TBaseFuncObj : public TSequenceListObj {
public:
    // One line for function lists, e.g. "Y=f(x)=SIN(X)".
    virtual std::string GetDescription() const = 0;
};
