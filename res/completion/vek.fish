# Completion of vek's command line for fish: the switches, the values of --color, and files for
# FILE (fish offers files wherever no switch takes the argument).

complete -c vek -s h -l help -d 'Show the help and exit'
complete -c vek -l version -d 'Show the version and exit'
complete -c vek -l dump -d 'Print FILE page after page, as the window shows it'
complete -c vek -l start -x -d 'Begin with the page at offset N (hex with --hex)'
complete -c vek -l hex -d 'Read N in hex and print offsets in hex'
complete -c vek -l pages -x -d 'Print at most K pages'
# The WHEN stands only after '=': the argument after a bare --color is the file.
complete -c vek -l color -d 'Colour each byte by its kind (--color=WHEN)'
complete -c vek -f -n 'string match -q -- "--colo*=*" (commandline -ct)' \
    -a '--color=auto --color=always --color=never' -d 'When to colour'
complete -c vek -l find -x -d 'Print the offset of every occurrence of TEXT'
complete -c vek -l find-hex -x -d 'The same for bytes given as hex pairs'
complete -c vek -s i -l ignore-case -d 'With --find: ASCII letters match either case'
complete -c vek -l count -d 'Print only the number of occurrences'
complete -c vek -l history -d 'List the recorded writes to FILE'
complete -c vek -l undo -d 'Take back the newest write to FILE still in it'
complete -c vek -l all -d 'With --undo: all of them, newest first'
complete -c vek -s r -l read-only -d 'Open FILE for reading only'
complete -c vek -l no-journal -d "Do not record this run's writes"
complete -c vek -l compare -d 'Print every byte where FILE and SECOND differ'
complete -c vek -l first -d 'With --compare: only the first difference'
