#pragma once

#include "AdoConstants.h"
#include "Variant.h"

#include <cstddef>
#include <memory>
#include <string>

namespace kx::ado {

namespace detail {
class RecordsetData;
}

/// One column of a Recordset, seen on its current row. A Field stays bound to its
/// recordset and follows its moves; it keeps the recordset's data alive.
///
/// Value, GetChunk, ActualSize and OriginalValue need a current row (errors::
/// NoCurrentRecord at BOF or EOF). Assigning (SetValue, AppendChunk) needs an
/// updatable recordset and column (errors::FeatureNotAvailable otherwise) and
/// converts the value to the field's type (see CoerceToColumnType).
class Field {
  public:
    std::string Name() const;
    /// A DataTypeEnum value.
    DataTypeEnum Type() const;
    /// Characters for text fields, bytes for the others.
    long DefinedSize() const;
    /// FieldAttributeEnum flags.
    long Attributes() const;
    int Precision() const;
    int NumericScale() const;

    /// Bytes of the current value: UTF-8 bytes of text, bytes of binary, the
    /// defined size of fixed types, 0 for Null.
    long ActualSize() const;
    Variant Value() const;
    void SetValue(const Variant& value);
    /// The value as fetched (or as last written back).
    Variant OriginalValue() const;

    /// The next `length` pieces of a long value: characters of text (as a String),
    /// bytes of binary (as Binary). Starts at the beginning on each new row and
    /// after each assignment, goes on where the last call ended, and gives Null
    /// once everything has been read (and for a Null value). Reading pieces until
    /// ActualSize bytes are counted therefore always gives the whole value: a text
    /// piece of `length` characters holds at least `length` bytes.
    Variant GetChunk(long length);
    /// The first call on a row replaces the value, the following calls append to it
    /// (text to text, bytes to binary).
    void AppendChunk(const Variant& data);

  private:
    friend class Fields;
    friend class Recordset;
    Field(std::shared_ptr<detail::RecordsetData> data, std::size_t index);
    std::shared_ptr<detail::RecordsetData> data_;
    std::size_t index_;
};

} // namespace kx::ado
