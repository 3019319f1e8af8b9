#include "AdoError.h"

#include <utility>

namespace kx::ado {

AdoError::AdoError(std::int32_t number, std::string source, std::string description, long nativeError)
    : number_(number), source_(std::move(source)), description_(std::move(description)),
      nativeError_(nativeError) {}

} // namespace kx::ado
