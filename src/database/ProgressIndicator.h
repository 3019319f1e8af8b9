#pragma once

namespace kx::database {

/// Something that shows the progress of a long operation: a value from 0 to 100
/// and whether it is shown at all.
class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void SetValue(int percent) = 0;
    virtual void SetVisible(bool visible) = 0;
};

} // namespace kx::database
