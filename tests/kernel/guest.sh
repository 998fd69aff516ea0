#!/bin/bash
# Runs inside the test machine, started by guest-init on the host's read-only root: udev, so
# the driver discovers joysticks as on a desktop, then the cases. Their output and exit status
# land in the results folder, which the host reads after the machine has powered off.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/tmp LANG=C.UTF-8
results=$VANTREL_GUEST_RESULTS
exec >"$results/guest.log" 2>&1
/lib/systemd/systemd-udevd --daemon 2>"$results/udevd.log"
udevadm trigger --action=add
udevadm settle --timeout=30
# The program and its arguments, as the host quoted them.
eval "$(cat "$results/command")"
echo $? >"$results/status"
udevadm control --exit
