#include "Field.h"

#include "RecordsetData.h"

namespace kx::ado {

Field::Field(std::shared_ptr<detail::RecordsetData> data, std::size_t index)
    : data_(std::move(data)), index_(index) {}

std::string Field::Name() const {
    return data_->Column(index_).name;
}
DataTypeEnum Field::Type() const {
    return data_->Column(index_).type;
}
long Field::DefinedSize() const {
    return data_->Column(index_).definedSize;
}
long Field::Attributes() const {
    return data_->Column(index_).attributes;
}
int Field::Precision() const {
    return data_->Column(index_).precision;
}
int Field::NumericScale() const {
    return data_->Column(index_).numericScale;
}
long Field::ActualSize() const {
    return data_->ActualSize(index_);
}
Variant Field::Value() const {
    return data_->Value(index_);
}
void Field::SetValue(const Variant& value) {
    data_->SetValue(index_, value);
}
Variant Field::OriginalValue() const {
    return data_->OriginalValue(index_);
}
Variant Field::GetChunk(long length) {
    return data_->GetChunk(index_, length);
}
void Field::AppendChunk(const Variant& data) {
    data_->AppendChunk(index_, data);
}

} // namespace kx::ado
