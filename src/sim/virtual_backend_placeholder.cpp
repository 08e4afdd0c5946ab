// Replaced by the virtual devices.
namespace v38::sim {
int placeholder() {
    return 0;
}
} // namespace v38::sim
