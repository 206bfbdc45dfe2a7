// The sanitizer build switches the procedure fibers through ucontext (see cmake/Tessaro.cmake),
// because only those switches tell AddressSanitizer which stack runs. That implementation of
// Boost.Context is headers but for the record of the running context, which its library
// keeps, and Debian's library is built for the assembly switches and lacks it. It is kept
// here, for the GUI thread that runs every fiber.

#include <boost/context/fiber.hpp>

#if !defined(BOOST_USE_UCONTEXT)
#error "fibercontext.cpp belongs to the build whose fibers switch through ucontext"
#endif

namespace boost::context::detail {

namespace {
// The context running on this OS thread; before the first switch, the thread's own stack.
thread_local fiber_activation_record *runningRecord = nullptr;
} // namespace

fiber_activation_record_initializer::fiber_activation_record_initializer() noexcept
{
    runningRecord = new fiber_activation_record();
}

fiber_activation_record_initializer::~fiber_activation_record_initializer()
{
    delete runningRecord;
    runningRecord = nullptr;
}

fiber_activation_record *&fiber_activation_record::current() noexcept
{
    thread_local fiber_activation_record_initializer initializer;
    return runningRecord;
}

} // namespace boost::context::detail
