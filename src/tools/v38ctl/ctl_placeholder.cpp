// Replaced by the command implementations.
namespace v38::ctl {
int placeholder() { return 0; }
} // namespace v38::ctl
