#pragma once
// Bases of the function objects and of their expressions. Every function a graph shows is
// one element of the edit-on-a-copy lists that owns its expression object(s); an
// expression is an engine function that can write itself to a graph file and read itself
// back, mending on the way a text that no longer compiles.

#include "math/MathFunc.h"
#include "model/FILESAVE.h"
#include "model/SeqList.h"

#include <string>

// A function of any graph kind. Descendants hold their own expressions, ranges, colour and
// width; the 2D-side classes read and write themselves through operations of their own class.
class TBaseFuncObj : public TSequenceListObj {
public:
    // One line for function lists, e.g. "Y=f(x)=SIN(X)".
    virtual std::string GetDescription() const = 0;
};

// The expression of a function object. Assign is the engine's (text, variables, compiled
// program, state, result).
class TMathGraphFunc : public TMathFunction {
public:
    // The expression text as a math string.
    virtual void WriteToFile(TWriteGraphFile& Writer) const;
    // Reads the text (the short text of version-1 files, a math string later), sets and
    // compiles it; a text that does not compile goes to the repair dialog until it compiles
    // or the user gives up, which ends the load through RaiseLoadError.
    virtual void ReadFromFile(TReadGraphFile& Reader);
};
