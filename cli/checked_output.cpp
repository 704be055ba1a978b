#include "cli/checked_output.h"

#include <cstring>

#include "cli/io_error.h"

bool CheckedOutput::write(std::string_view bytes)
{
    if (m_error)
        return false;
    clear_io_error();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size())
        fail();
    return !m_error;
}

bool CheckedOutput::finish()
{
    if (!m_stream)
        return !m_error;
    clear_io_error();
    if (!m_error && std::fflush(m_stream) != 0)
        fail();
    clear_io_error();
    // Closing reports what a flush cannot: a delayed write error of the file
    // system. A failed close still releases the stream.
    const int closed = std::fclose(m_stream);
    if (!m_error && closed != 0)
        fail();
    m_stream = nullptr;
    return !m_error;
}

void CheckedOutput::fail()
{
    m_error = last_io_error(m_stream);
}

std::string CheckedOutput::failure() const
{
    return std::strerror(m_error);
}
