#include "text/StringObject.h"

StringObject::~StringObject() = default;
